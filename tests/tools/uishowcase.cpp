// One window with every control of the window layer and a 1,000,000-row virtual
// list, for looking at the layer on a real display (wine uishowcase.exe under
// Xvfb) and for screenshots.
//   uishowcase                 shows the window
//   uishowcase --selftest [F]  draws it headless, checks that no control is
//                              blank, optionally saves the picture as a BMP
//   uishowcase --screenshot F  the same check on the window as the display
//                              shows it (tools/wine-x11-run), saved as F
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "controls/VirtualListView.h"
#include "ui/Application.h"
#include "ui/BitBtn.h"
#include "ui/Button.h"
#include "ui/Canvas.h"
#include "ui/CheckListBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"
#include "ui/Menu.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/Pickers.h"
#include "ui/ProgressBar.h"
#include "ui/RangeControls.h"
#include "ui/RichEdit.h"
#include "ui/SpeedButton.h"
#include "ui/Splitter.h"
#include "ui/StatusBar.h"
#include "ui/TreeView.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"

namespace {

using namespace kv::ui;

// A blank or half-drawn window has a handful; the showcase drawn, sixty or more.
constexpr size_t kFewestColours = 32;

struct DemoNode {
    std::string text;
    std::vector<DemoNode*> children;
};

class ShowcaseForm : public Form {
public:
    ShowcaseForm() {
        setCaption("Korvalder window layer");
        setBounds(40, 40, 820, 560);
        createHandle();

        top.setBounds(0, 0, 100, 180);
        top.setAlign(Align::Top);
        top.create(this);
        label.setText("Label:");
        label.setBounds(8, 12, 50, 18);
        edit.setText("Edit text");
        edit.setBounds(60, 8, 150, 22);
        combo.setItems({"Combo one", "Combo two"});
        combo.setItemIndex(0);
        combo.setBounds(220, 8, 140, 22);
        check.setText("Check box");
        check.setAllowGrayed(true);
        check.setState(CheckState::Grayed);
        check.setBounds(370, 8, 100, 22);
        ok.setText("Button");
        ok.setBounds(480, 6, 90, 26);
        progress.setRange(0, 100);
        progress.setPosition(60);
        progress.setBounds(8, 42, 360, 18);
        listBox.setItems({"List box one", "List box two", "List box three"});
        listBox.setBounds(580, 4, 200, 64);
        radio.setText("Radio");
        radio.setChecked(true);
        radio.setBounds(380, 40, 80, 20);
        tool.setText("&Tool");
        tool.setFlat(false);
        tool.setBounds(480, 38, 60, 24);
        {
            BitmapCanvas glyph(16, 16);
            glyph.canvas().setBrushColor(RGB(255, 0, 255));  // see-through
            glyph.canvas().fillRect({0, 0, 16, 16});
            glyph.canvas().setBrushColor(RGB(0, 90, 200));
            glyph.canvas().fillRect({2, 3, 14, 13});
            printGlyph.reset(static_cast<HBITMAP>(CopyImage(glyph.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        }
        print.setGlyph(printGlyph.get());
        print.setText("&Print");
        print.setBounds(580, 70, 100, 28);
        track.setRange(0, 10);
        track.setPosition(4);
        track.setBounds(8, 68, 160, 30);
        date.setBounds(180, 70, 110, 22);
        spin.setRange(0, 99);
        spin.setPosition(7);
        spin.setBounds(300, 70, 18, 22);
        for (Control* c : std::initializer_list<Control*>{&label, &edit, &combo, &check, &ok, &progress, &listBox,
                                                          &radio, &tool, &track, &date, &spin, &print})
            c->create(&top);
        pages.setBounds(340, 66, 230, 36);
        pages.create(&top);
        pages.addPage("Page one");
        pages.addPage("Page two");
        richEdit.setBounds(8, 106, 300, 68);
        richEdit.create(&top);
        richEdit.loadRtf("{\\rtf1\\ansi Rich edit: {\\b bold}, {\\i italic}\\par and a second line}");
        checkList.setBounds(320, 106, 200, 68);
        checkList.setAllowGrayed(true);
        checkList.setItems({"Check list one", "Check list two", "Check list three"});
        checkList.setChecked(0, true);
        checkList.setState(2, CheckState::Grayed);
        checkList.create(&top);

        status.setBounds(0, 0, 100, 22);
        status.setPanels({{"Ready", 200}, {"1,000,000 rows", 200}, {"", 100}});
        status.create(this);

        root.text = "Catalog";
        for (int i = 0; i < 3; ++i) disks.push_back({"Disk " + std::to_string(i + 1), {}});
        for (auto& d : disks) root.children.push_back(&d);
        tree.textOf = [](TreeView::Node n) { return static_cast<DemoNode*>(n)->text; };
        tree.hasChildren = [](TreeView::Node n) { return !static_cast<DemoNode*>(n)->children.empty(); };
        tree.childrenOf = [](TreeView::Node n) {
            std::vector<TreeView::Node> v;
            for (DemoNode* c : static_cast<DemoNode*>(n)->children) v.push_back(c);
            return v;
        };
        tree.setBounds(0, 0, 200, 100);
        tree.setAlign(Align::Left);
        tree.create(this);
        splitter.create(this);
        tree.setRoots({&root});
        tree.expand(&root);

        for (const char* c : {"Name", "Size", "Date"}) list.AddColumn(c, 160);
        list.setAlign(Align::Client);
        list.create(this);
        list.SetExtendedStyles(lvxHeaderDragDrop | lvxFullRowSelect | lvxGridLines);
        list.SetVirtualMode(true);
        list.OnVMGetItemInfo = [](TExtListView&, int item, int sub, TLVVMMaskItems, int&, LPARAM&, int&, int&,
                                  std::string& text) {
            text = sub == 0 ? "File " + std::to_string(item) : sub == 1 ? std::to_string(item * 37 % 100000) + " B"
                                                                          : "10.12.2026";
        };
        list.SetItemCountEx(1000000, 3);

        MenuItem& file = menu.Items().Add("&File");
        file.Add("E&xit", [this](MenuItem&) { close(); });
        menu.attach(*this);
    }

    Panel top;
    Label label;
    Edit edit;
    ComboBox combo;
    CheckBox check;
    Button ok;
    ProgressBar progress;
    ListBox listBox;
    RadioButton radio;
    SpeedButton tool;
    GdiObject<HBITMAP> printGlyph;  // before the button that draws it, so it goes after it
    BitBtn print;
    TrackBar track;
    DateTimePicker date;
    UpDown spin;
    RichEdit richEdit;
    CheckListBox checkList;
    PageControl pages;
    Splitter splitter;
    StatusBar status;
    TreeView tree;
    TExtListView list;
    MainMenu menu;
    DemoNode root;
    std::vector<DemoNode> disks;
};

// A picture of the form whose top-left pixel is at origin on the screen is
// drawn when it has many colours and every control's area more than one.
int checkPicture(ShowcaseForm& form, const BitmapCanvas& shot, POINT origin, bool report) {
    const size_t colours = kv::test::CountColours(shot);
    if (report) std::printf("%zu colours\n", colours);
    const kv::test::NamedControls controls = {
        {"label", form.label.hwnd()},        {"edit", form.edit.hwnd()},
        {"combo", form.combo.hwnd()},        {"check box", form.check.hwnd()},
        {"button", form.ok.hwnd()},          {"progress bar", form.progress.hwnd()},
        {"list box", form.listBox.hwnd()},   {"status bar", form.status.hwnd()},
        {"tree", form.tree.hwnd()},          {"list", form.list.hwnd()},
        {"radio", form.radio.hwnd()},        {"speed button", form.tool.hwnd()},
        {"track bar", form.track.hwnd()},    {"date", form.date.hwnd()},
        {"up-down", form.spin.hwnd()},       {"rich edit", form.richEdit.hwnd()},
        {"check list", form.checkList.hwnd()}, {"pages", form.pages.hwnd()},
        {"bitmap button", form.print.hwnd()}};
    return (colours < kFewestColours ? 1 : 0) +
           static_cast<int>(kv::test::BlankControls(shot, controls, origin, report).size());
}

int finish(ShowcaseForm& form, const BitmapCanvas& shot, POINT origin, const char* path) {
    int blank = checkPicture(form, shot, origin, true);
    if (path && !kv::test::saveBitmap(shot, path)) {
        std::printf("cannot write %s\n", path);
        return 2;
    }
    std::printf(blank == 0 ? "every control drawn\n" : "blank controls\n");
    return blank == 0 ? 0 : 1;
}

int selfTest(ShowcaseForm& form, const char* path) {
    RECT client = form.clientRect();
    BitmapCanvas shot(client.right, client.bottom);
    renderWindow(form.hwnd(), shot);
    POINT origin{0, 0};
    ClientToScreen(form.hwnd(), &origin);
    return finish(form, shot, origin, path);
}

// Copies the screen under the whole window until it is drawn or time is up.
int screenshot(ShowcaseForm& form, const char* path) {
    SetForegroundWindow(form.hwnd());
    const SIZE size = kv::test::WindowSize(form.hwnd());
    BitmapCanvas shot(size.cx, size.cy);
    const POINT origin = kv::test::WindowOrigin(form.hwnd());
    kv::test::ShootOwnWindow(form.hwnd(), shot, origin, [&] { return checkPicture(form, shot, origin, false) == 0; });
    return finish(form, shot, origin, path);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    try {
        ShowcaseForm form;
        Application::instance().setMainForm(&form);
        form.show();
        if (__argc > 1 && std::string(__argv[1]) == "--selftest") {
            Application::instance().processMessages();
            return selfTest(form, __argc > 2 ? __argv[2] : nullptr);
        }
        if (__argc > 2 && std::string(__argv[1]) == "--screenshot") return screenshot(form, __argv[2]);
        ShowWindow(form.hwnd(), show);
        return Application::instance().run();
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Error", MB_OK | MB_ICONSTOP);
        return 1;
    }
}
