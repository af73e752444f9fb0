#pragma once
// The pieces of a banded report: fonts, bands and the controls they carry. All
// geometry is in design pixels (1/96 inch) from the paper's top left corner, so
// a layout comes out the same on every device and under every screen DPI.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kv::report {

// A colour as 0x00BBGGRR; kNoColor draws nothing (transparent).
inline constexpr std::uint32_t kNoColor = 0x1FFFFFFF;

namespace FontStyle {
inline constexpr std::uint8_t Bold = 1;
inline constexpr std::uint8_t Italic = 2;
inline constexpr std::uint8_t Underline = 4;
inline constexpr std::uint8_t StrikeOut = 8;
}  // namespace FontStyle

struct ReportFont {
    std::string name = "Arial";
    int size = 10;  // points
    std::uint8_t style = 0;
    std::uint32_t color = 0;
    bool operator==(const ReportFont&) const = default;
};

// The font's line height in design pixels: points at 96 per 72.
int FontPixels(int points);

enum class Alignment : std::uint8_t { Left, Right, Centre };

struct Rect {
    double left = 0, top = 0, width = 0, height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

class ReportTarget;
class TextMeasurer;
class TRepBand;

// A control placed on a band, relative to the band's top left corner.
class TRepControl {
public:
    virtual ~TRepControl() = default;
    double Left = 0, Top = 0, Width = 0, Height = 0;
    int Tag = 0;
    bool Enabled = true;
    // Empty: the band's font.
    std::unique_ptr<ReportFont> Font;
    const ReportFont& fontIn(const TRepBand& band) const;
    // How tall the band must be for this control, given its text.
    virtual double NeededHeight(const TRepBand& band, const TextMeasurer& measurer) const;
    virtual void Draw(ReportTarget& target, const TRepBand& band, const Rect& at, int pageNumber) const = 0;
};

class TRepLabel : public TRepControl {
public:
    std::string Caption;
    Alignment alignment = Alignment::Left;
    // Grows the band to hold every line of the caption.
    bool AutoStretch = false;
    bool WordWrap = false;
    double FrameBottomWidth = 0;
    std::uint32_t FrameColor = 0;
    double NeededHeight(const TRepBand& band, const TextMeasurer& measurer) const override;
    void Draw(ReportTarget& target, const TRepBand& band, const Rect& at, int pageNumber) const override;
};

enum class SysDataKind : std::uint8_t { DateTime, PageNumber };

class TRepSysData : public TRepControl {
public:
    SysDataKind Data = SysDataKind::PageNumber;
    std::string Text;  // printed before the value
    Alignment alignment = Alignment::Left;
    // The date and time text; the report sets it at the start of a run.
    std::string dateTimeText;
    void Draw(ReportTarget& target, const TRepBand& band, const Rect& at, int pageNumber) const override;
};

// A horizontal line across the control's width at its vertical middle.
class TRepShape : public TRepControl {
public:
    double PenWidth = 1;
    std::uint32_t PenColor = 0;
    void Draw(ReportTarget& target, const TRepBand& band, const Rect& at, int pageNumber) const override;
};

// A picture the target knows by number (the large icons); -1 draws nothing.
class TRepImage : public TRepControl {
public:
    int Picture = -1;
    bool Stretch = true;
    void Draw(ReportTarget& target, const TRepBand& band, const Rect& at, int pageNumber) const override;
};

enum class BandType : std::uint8_t { PageHeader, Title, ColumnHeader, GroupHeader, Child, SubDetail, GroupFooter, PageFooter };

struct BandFrame {
    bool DrawTop = false;
    bool DrawBottom = false;
    double Width = 1;
    std::uint32_t Color = 0;
};

class TRepBand {
public:
    TRepBand(BandType type, std::string name) : BandType_(type), name_(std::move(name)) {}
    virtual ~TRepBand() = default;
    TRepBand(const TRepBand&) = delete;
    TRepBand& operator=(const TRepBand&) = delete;

    BandType bandType() const { return BandType_; }
    const std::string& name() const { return name_; }

    bool Enabled = true;
    double Height = 20;
    std::uint32_t Color = kNoColor;
    ReportFont Font;
    BandFrame Frame;
    // The band printed right after this one (each on its own Enabled flag).
    TRepBand* ChildBand = nullptr;
    std::vector<std::unique_ptr<TRepControl>> Controls;

    // Handlers may change the band, disable it (doPrint) or start a new page.
    std::function<void(TRepBand&, bool& doPrint)> BeforePrint;
    std::function<void(TRepBand&, bool printed)> AfterPrint;

    template <class T>
    T& Add() {
        auto control = std::make_unique<T>();
        T& ref = *control;
        Controls.push_back(std::move(control));
        return ref;
    }

    // The height it prints with: its own, or more for stretching labels.
    double PrintHeight(const TextMeasurer& measurer) const;

private:
    BandType BandType_;
    std::string name_;
};

// The detail loop: asks for data, prints its column-header band (itself) and
// its detail child per record, then its footer once.
class TRepSubDetail : public TRepBand {
public:
    explicit TRepSubDetail(std::string name) : TRepBand(BandType::SubDetail, std::move(name)) {}
    std::function<void(TRepSubDetail&, bool& more)> OnNeedData;
    TRepBand* Footer = nullptr;
};

}  // namespace kv::report
