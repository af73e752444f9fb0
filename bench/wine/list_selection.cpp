// Times what a user waits for in a virtual list of many rows: selecting every
// row, then the plain click, key or unfocused click that replaces the
// selection with one row. --baseline also times a click handled by the list
// view control alone, without the list's fast clear (minutes at 10^6 rows).
// Usage: list_selection_bench [ROWS] [--baseline]
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "controls/VirtualListView.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Form.h"

namespace {

using namespace kv::ui;

double millisecondsOf(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void setState(HWND list, int row, UINT state, UINT mask) {
    LVITEMA it{};
    it.state = state;
    it.stateMask = mask;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
}

POINT rowCentre(HWND list, int row) {
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

int main(int argc, char** argv) {
    int rows = 1000000;
    bool baseline = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--baseline") == 0) baseline = true;
        else rows = std::atoi(argv[i]);
    }
    if (rows < 10) rows = 10;

    Form form;
    form.setBounds(0, 0, 600, 400);
    form.createHandle();
    TExtListView list;
    for (const char* c : {"Name", "Size", "Date"}) list.AddColumn(c, 100);
    list.setBounds(0, 0, 500, 300);
    list.create(&form);
    Button other;
    other.setBounds(510, 0, 80, 25);
    other.create(&form);
    form.show();
    list.SetExtendedStyles(lvxHeaderDragDrop | lvxFullRowSelect);
    list.SetVirtualMode(true);
    list.OnVMGetItemInfo = [](TExtListView&, int item, int sub, TLVVMMaskItems, int&, LPARAM&, int&, int&,
                              std::string& text) { text = "row " + std::to_string(item) + " col " + std::to_string(sub); };
    list.SetItemCountEx(rows, lvsicfNoInvalidateAll | lvsicfNoScroll);
    const HWND h = list.hwnd();
    Application& app = Application::instance();
    SendMessageA(h, LVM_ENSUREVISIBLE, static_cast<WPARAM>(rows / 2), FALSE);
    const int top = static_cast<int>(SendMessageA(h, LVM_GETTOPINDEX, 0, 0));
    app.processMessages();
    std::printf("%d rows\n", rows);

    // Every row selected, the focus on one row near the top of the view. With
    // redraw off Wine skips invalidating row by row, which is most of the time.
    auto selectAll = [&] {
        list.setFocus();
        double ms = millisecondsOf([&] {
            SendMessageA(h, WM_SETREDRAW, FALSE, 0);
            setState(h, -1, LVIS_SELECTED, LVIS_SELECTED);
            SendMessageA(h, WM_SETREDRAW, TRUE, 0);
        });
        setState(h, top + 2, LVIS_FOCUSED, LVIS_FOCUSED);
        app.processMessages();
        std::printf("  select all (LVM_SETITEMSTATE -1, redraw off): %.0f ms, %d selected\n", ms, list.SelectedCount());
    };
    auto report = [&](const char* what, double ms) {
        std::printf("%-48s %10.1f ms   then %d selected, row %d focused\n", what, ms, list.SelectedCount(),
                    list.FocusedRow());
        std::fflush(stdout);
    };
    auto click = [&](POINT p) {
        PostMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        app.processMessages();
    };

    selectAll();
    {
        // What a command update asks of the selection: every selected row, one message each.
        int seen = 0;
        const double ms = millisecondsOf([&] {
            for (int row = -1; (row = static_cast<int>(SendMessageA(h, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                                     LVNI_SELECTED))) >= 0;)
                ++seen;
        });
        std::printf("%-48s %10.1f ms   %d rows\n", "walk of the selected rows (LVM_GETNEXTITEM)", ms, seen);
        std::size_t listed = 0;
        const double block = millisecondsOf([&] { listed = list.SelectedRows().size(); });
        std::printf("%-48s %10.1f ms   %zu rows\n", "the same rows as one block (SelectedRows)", block, listed);
    }
    report("plain click on a selected row", millisecondsOf([&] { click(rowCentre(h, top + 5)); }));
    selectAll();
    report("plain Down key", millisecondsOf([&] {
               SendMessageA(h, WM_KEYDOWN, VK_DOWN, 1);
               SendMessageA(h, WM_KEYUP, VK_DOWN, 0xC0000001);
               app.processMessages();
           }));
    selectAll();
    other.setFocus();
    report("click while another control has the focus",
           millisecondsOf([&] { click(rowCentre(h, top + 5)); }));
    {
        // One row selected, then Shift+End: the range from it to the last row.
        click(rowCentre(h, top + 5));
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = 0x80;
        SetKeyboardState(keys);
        report("Shift+End from one row", millisecondsOf([&] {
                   SendMessageA(h, WM_KEYDOWN, VK_END, 1);
                   SendMessageA(h, WM_KEYUP, VK_END, 0xC0000001);
                   app.processMessages();
               }));
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    if (baseline) {
        // The class's own procedure: the press and its release reach the
        // control without passing the list object.
        WNDCLASSA wc{};
        GetClassInfoA(nullptr, WC_LISTVIEWA, &wc);
        selectAll();
        POINT p = rowCentre(h, top + 5);
        report("the same click handled by the control alone", millisecondsOf([&] {
                   CallWindowProcA(wc.lpfnWndProc, h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
                   CallWindowProcA(wc.lpfnWndProc, h, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
                   app.processMessages();
               }));
    }
    return 0;
}
