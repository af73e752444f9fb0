#pragma once
// The list view in report view that every list of the program builds on:
// columns and items kept across re-creation of the window, header-click
// sorting, owner-drawn rows, the drag image of one row, and the storage of
// column widths.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "system/settings/RegistrySectionStoreWin32.h"
#include "controls/HeaderSort.h"
#include "ui/Control.h"

namespace kv::ui {

enum class TLVStyle { lvStandard, lvOwnerDrawFixed };

struct TEnhLVSaveSettings {
    bool AutoSave = false;
    std::string RegistryKey;  // below HKEY_CURRENT_USER; the subkey "Columns" is used
    bool SaveColumnSizes = true;
    bool SaveColumnOrder = true;  // the extended list only
};

struct ListColumn {
    std::string caption;
    int width = 50;
    int alignment = LVCFMT_LEFT;
};

class TCustomEnhListView : public Control {
public:
    TCustomEnhListView();
    ~TCustomEnhListView() override;

    int AddColumn(const std::string& caption, int width, int alignment = LVCFMT_LEFT);
    // Removes every column (a list that switches between column sets).
    void ClearColumns();
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    int ColumnWidth(int column) const;
    // -1 sizes the column to its contents, -2 to its header or contents,
    // whichever is wider; the negative width is kept.
    void SetColumnWidth(int column, int width);
    // The width that shows the column's widest text.
    virtual int ContentsWidth(int column);
    int HeaderTextWidth(int column) const;
    const ListColumn& Column(int column) const { return columns_.at(static_cast<size_t>(column)); }

    // Items of a list that holds its own (not virtual).
    int AddItem(const std::string& caption, const std::vector<std::string>& subItems = {}, int image = -1);
    std::string ItemText(int row, int subItem) const;
    int ItemCount() const;
    void ClearItems();
    int SelectedCount() const;
    // The selected rows in order; a selection that is one block (a click, a
    // range, all rows) takes three messages whatever its length.
    std::vector<int> SelectedRows() const;
    int FocusedRow() const;
    // Clears the focused, selected, cut and drop-highlight bits of every row:
    // row by row when few are selected, since one call for all rows walks a
    // million-row list.
    void ClearRowStates();

    TLVStyle Style() const { return lvStyle_; }
    void SetStyle(TLVStyle style);
    TAutoColumnSort AutoColumnSort() const { return sort_.AutoColumnSort; }
    void SetAutoColumnSort(TAutoColumnSort s) { sort_.AutoColumnSort = s; }
    bool AutoSortAscending() const { return sort_.AutoSortAscending; }
    void SetAutoSortAscending(bool a) { sort_.setAutoSortAscending(a); }
    bool CurrentSortAscending() const { return sort_.CurrentSortAscending; }
    int LastColumnSorted() const { return sort_.LastColumnSorted; }
    bool MouseSetFocus = false;
    POINT MouseDownPoint() const { return mouseDown_; }

    void SetSmallImages(HIMAGELIST images);
    // The icon view's pictures.
    void SetLargeImages(HIMAGELIST images);
    HIMAGELIST SmallImages() const { return smallImages_; }
    // The drag image of the one selected row, else null.
    HIMAGELIST GetDragImages() const;
    POINT DragHotSpot() const { return dragHotSpot_; }

    TEnhLVSaveSettings SaveSettings;

    virtual void Loaded();
    virtual void StoreColumnSettings();
    virtual void LoadColumnSettings();
    virtual void SortColumn(int column, bool ascending);
    virtual void Resort();

    std::function<void(TCustomEnhListView& sender, int column)> OnColumnClick;
    std::function<void(TCustomEnhListView& sender)> OnSortBegin;
    std::function<void(TCustomEnhListView& sender)> OnSortFinished;
    std::function<void(TCustomEnhListView& sender, int item1, int item2, int sortColumn, int& compResult)> OnSortItems;
    std::function<void(TCustomEnhListView& control, HDC canvas, int index, RECT rect, UINT state, bool& defaultDrawing)>
        OnDrawItem;
    std::function<void(TCustomEnhListView& control, HDC canvas, int index, RECT rect, UINT state)> OnAfterDefaultDrawItem;

    // Labels may be edited (set before the window is created).
    bool EditLabels = false;
    // Starts editing the row's label; the row gets the focus first.
    void EditLabel(int row);
    // Vetoes: set allow or accept to false to refuse.
    std::function<void(TCustomEnhListView& sender, int row, bool& allow)> OnEditing;
    std::function<void(TCustomEnhListView& sender, int row, std::string& text, bool& accept)> OnEdited;
    // The user began dragging rows (after the control made the drag image).
    std::function<void(TCustomEnhListView& sender, int row)> OnStartDrag;
    // A row's state (focus, selection) changed; -1 for all rows at once.
    std::function<void(TCustomEnhListView& sender, int row)> OnChange;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    void destroyWnd() override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
    virtual bool virtualList() const { return false; }
    // The header's window, once the list has one.
    HWND headerWindow() const;
    void ColumnClick(int column);
    int CustomItemCompare(int item1, int item2) const;
    int DefaultItemCompare(int item1, int item2) const;
    void drawItem(DRAWITEMSTRUCT& d);
    void setDragImages(HIMAGELIST images);
    // Empties the selection of a virtual list at once; keepFocus leaves the
    // focused row and the selection mark as they were.
    void clearByRecount(bool keepFocus);
    // The row the owner found for type-ahead, which the control then selects as
    // a plain key move would.
    int typeAheadFound(int row);

    std::vector<ListColumn> columns_;

private:
    struct SavedItem {
        std::vector<std::string> texts;
        int image;
        LPARAM data;
    };
    class HeaderHook;
    static int CALLBACK sortCallback(LPARAM a, LPARAM b, LPARAM context);
    enum class Input { none, press, release, rightPress, key, typing };
    LRESULT handleInput(Input input, UINT msg, WPARAM wp, LPARAM lp);
    void beforeOwnInputHandling(UINT code, LPARAM lp);
    bool largeSelection() const;
    bool rowSelected(int row) const;
    bool keyReplacesSelection(WPARAM key) const;
    int rowAt(POINT p, UINT* flags = nullptr) const;

    TLVStyle lvStyle_ = TLVStyle::lvStandard;
    HeaderSortState sort_;
    int sortDirection_ = 1;
    int sortColumn_ = -1;  // sub-item index less one: -1 is the caption
    POINT mouseDown_{0, 0};
    // The input the control is handling, and what is known of the press.
    Input handling_ = Input::none;
    WPARAM pressKeys_ = 0;
    POINT inputPoint_{0, 0};  // of the release or right press
    int pressedSelectedRow_ = -1;  // a plain press on a selected row, until its release
    bool dragged_ = false;
    HIMAGELIST smallImages_ = nullptr;
    HIMAGELIST largeImages_ = nullptr;
    HIMAGELIST dragImages_ = nullptr;
    POINT dragHotSpot_{0, 0};
    std::vector<SavedItem> savedItems_;
    std::unique_ptr<HeaderHook> header_;
};

// Where a list keeps its column settings: the section "Columns" of its key.
inline constexpr const char* kColumnsSection = "Columns";
RegistrySectionStore columnStore(const TEnhLVSaveSettings& settings);

}  // namespace kv::ui
