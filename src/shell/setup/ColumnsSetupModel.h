#pragma once
// What the "Columns Setup" dialog edits for one item list: its columns in
// display order, each shown or hidden, over the list's kept record.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/browse/ColumnLayout.h"

namespace kv {

inline constexpr std::array<std::string_view, 5> kColumnsListNames = {
    "Main Window - Disks List", "Main Window - Files and Folders List", "Search Results List", "User List",
    "Compare to Media Results List"};

// The captions of a list's columns by column index; empty for a list whose
// columns the program does not know yet.
std::vector<std::string> ColumnsListCaptions(int list);

class ColumnsSetupModel {
public:
    struct Row {
        int column = 0;
        std::string caption;
        bool visible = true;
    };

    // The record's first captions.size() positions; an order that is not a
    // permutation of the list's columns gives the default one.
    void fill(int list, const ColumnsRecord& record, std::span<const std::string> captions);

    int list() const { return list_; }
    const std::vector<Row>& rows() const { return rows_; }
    bool changed() const { return changed_; }
    void clearChanged() { changed_ = false; }

    // Swaps the row with its neighbour at selected + delta; the new selection,
    // or -1 when that lies outside the rows.
    int move(int selected, int delta);
    void setVisible(int row, bool visible);
    // The record with the rows written over its first positions.
    ColumnsRecord record() const;

private:
    int list_ = 0;
    ColumnsRecord base_;
    std::vector<Row> rows_;
    bool changed_ = false;
};

}  // namespace kv
