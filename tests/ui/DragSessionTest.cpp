#include <vector>

#include "UiFixture.h"
#include "ui/DragSession.h"
#include "ui/Form.h"
#include "ui/Panel.h"

namespace {

using namespace kv::ui;

class DragSessionTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.setBounds(50, 50, 400, 300);
        form.createHandle();
        source.setBounds(0, 0, 150, 200);
        target.setBounds(200, 0, 150, 200);
        source.create(&form);
        target.create(&form);
        form.show();
        session.onDragOver = [this](HWND over, POINT p) {
            overs.push_back(p);
            return over == target.hwnd();
        };
        session.onDrop = [this](HWND on, POINT p) {
            droppedOn = on;
            dropPoint = p;
        };
        session.onEnd = [this](bool dropped) { ends.push_back(dropped); };
    }
    POINT screen(Control& c, int x, int y) {
        POINT p{x, y};
        ClientToScreen(c.hwnd(), &p);
        return p;
    }
    static HIMAGELIST oneImage() {
        HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
        HDC dc = GetDC(nullptr);
        HBITMAP bmp = CreateCompatibleBitmap(dc, 16, 16);
        ReleaseDC(nullptr, dc);
        ImageList_Add(images, bmp, nullptr);
        DeleteObject(bmp);
        return images;
    }

    Form form;
    Panel source, target;
    DragSession session;
    std::vector<POINT> overs;
    std::vector<bool> ends;
    HWND droppedOn = nullptr;
    POINT dropPoint{-1, -1};
};

TEST_F(DragSessionTest, StartsPastTheThresholdAndDropsWhereTheTargetAccepts) {
    EXPECT_FALSE(session.pastThreshold({30, 30}));  // not armed
    session.arm(source.hwnd(), {10, 10});
    EXPECT_FALSE(session.pastThreshold({11, 11}));
    EXPECT_TRUE(session.pastThreshold({10 + GetSystemMetrics(SM_CXDRAG), 10}));

    session.begin(oneImage(), {4, 4}, screen(source, 12, 12));
    EXPECT_TRUE(session.dragging());
    EXPECT_FALSE(session.armed());
    EXPECT_EQ(GetCapture(), source.hwnd());
    POINT hot{};
    EXPECT_TRUE(ImageList_GetDragImage(nullptr, &hot));
    EXPECT_EQ(session.acceptingTarget(), nullptr);  // over the source: refused

    session.move(screen(target, 30, 40));
    EXPECT_EQ(session.acceptingTarget(), target.hwnd());
    EXPECT_EQ(overs.back().x, 30);
    EXPECT_EQ(overs.back().y, 40);

    session.drop(screen(target, 31, 41));
    EXPECT_FALSE(session.dragging());
    EXPECT_EQ(droppedOn, target.hwnd());
    EXPECT_EQ(dropPoint.x, 31);
    EXPECT_EQ(ends, std::vector<bool>{true});
    EXPECT_NE(GetCapture(), source.hwnd());
    EXPECT_FALSE(ImageList_GetDragImage(nullptr, &hot));
}

TEST_F(DragSessionTest, ReleaseOverARefusingWindowOrCancelDropsNothing) {
    session.arm(source.hwnd(), {10, 10});
    session.begin(nullptr, {0, 0}, screen(source, 20, 20));
    session.move(screen(target, 30, 40));
    session.drop(screen(source, 5, 5));
    EXPECT_EQ(droppedOn, nullptr);
    EXPECT_EQ(ends, std::vector<bool>{false});

    session.arm(source.hwnd(), {10, 10});
    session.begin(oneImage(), {0, 0}, screen(source, 20, 20));
    session.cancel();
    session.cancel();  // once only
    EXPECT_EQ(ends, (std::vector<bool>{false, false}));
    EXPECT_FALSE(session.dragging());
}

// Wired as the item drag wires its windows (a lost capture cancels), the
// session's own taking and releasing of the capture cancel nothing; another
// window taking it does.
TEST_F(DragSessionTest, OnlyAnotherWindowTakingTheCaptureCancels) {
    for (Panel* p : {&source, &target})
        p->onCaptureLost = [this](Control&) { session.cancel(); };
    session.arm(source.hwnd(), {10, 10});
    session.begin(oneImage(), {0, 0}, screen(source, 20, 20));
    // A drag from the other window replaces the first, which gives up the capture.
    session.arm(target.hwnd(), {10, 10});
    session.begin(nullptr, {0, 0}, screen(target, 20, 20));
    EXPECT_TRUE(session.dragging());
    EXPECT_EQ(GetCapture(), target.hwnd());
    session.drop(screen(target, 30, 40));
    EXPECT_EQ(droppedOn, target.hwnd());
    EXPECT_EQ(ends, (std::vector<bool>{false, true}));

    droppedOn = nullptr;
    session.arm(source.hwnd(), {10, 10});
    session.begin(oneImage(), {0, 0}, screen(source, 20, 20));
    SetCapture(form.hwnd());
    EXPECT_FALSE(session.dragging());
    EXPECT_FALSE(ImageList_GetDragImage(nullptr, nullptr));
    EXPECT_EQ(ends, (std::vector<bool>{false, true, false}));
    session.drop(screen(target, 30, 40));
    EXPECT_EQ(droppedOn, nullptr);
    ReleaseCapture();
}

}  // namespace
