#pragma once
// A small pie chart: a title above, up to a few slices with a legend beside
// the pie. Enough to show how a disk's space splits into free and used.
#include <string>
#include <vector>

#include "ui/Control.h"

namespace kv::ui {

struct PieSlice {
    std::string label;
    double value = 0;  // slices share the circle by their values
    COLORREF color = RGB(0, 0, 255);
};

class PieChart : public Control {
public:
    void setTitle(const std::string& title);
    void setSlices(std::vector<PieSlice> slices);
    const std::vector<PieSlice>& slices() const { return slices_; }

protected:
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void paint(HDC dc);
    std::string title_;
    std::vector<PieSlice> slices_;
};

}  // namespace kv::ui
