#include "search/reports/ReportForm.h"

#include <algorithm>
#include <cstdlib>

namespace kv {

using namespace report;

namespace {

constexpr double kHeightFactor[kReportSections] = {1.3, 2, 1.5, 2.5, 1.5, 1.7, 1.35, 2.3, 1.3};
constexpr double kLabelTopFactor[kReportSections] = {0, 0.65, 0.2, 0.2, 0.25, 0.3, 0.17, 0.8, 0.2};
constexpr double kSummaryLineFactor = 0.35;
constexpr const char* kBandNames[kReportSections] = {"PageHeaderBand",   "TitleBand",      "CatalogHeaderBand",
                                                     "DiskHeaderBand",   "FolderHeaderBand", "ColHeaderBand",
                                                     "DetailBand",       "SummaryBand",    "PageFooterBand"};
constexpr double kColumnGap = 10;

ReportFont Font(const char* name, int size, std::uint8_t style) { return {name, size, style, 0}; }

double Rounded(double factor, int points) {
    return static_cast<double>(static_cast<int>(factor * std::abs(FontPixels(points)) + 0.5));
}

}  // namespace

ReportLook::ReportLook() {
    fonts = {Font("Times New Roman", 10, FontStyle::Italic),
             Font("Times New Roman", 20, FontStyle::Bold),
             Font("Arial", 14, FontStyle::Bold | FontStyle::Italic),
             Font("Arial", 12, FontStyle::Bold),
             Font("Times New Roman", 10, FontStyle::Bold | FontStyle::Underline),
             Font("Arial", 9, FontStyle::Bold | FontStyle::Italic),
             Font("Arial", 8, 0),
             Font("Arial", 8, FontStyle::Italic),
             Font("Arial", 8, 0)};
    colors.fill(kNoColor);
}

double SectionHeight(ReportSection section, int points) {
    return Rounded(kHeightFactor[static_cast<std::size_t>(section)], points);
}

double SectionLabelTop(ReportSection section, int points) {
    return Rounded(kLabelTopFactor[static_cast<std::size_t>(section)], points);
}

double SummaryLineTop(int points) { return Rounded(kSummaryLineFactor, points); }

ReportForm::ReportForm(const ReportRun& run, const ReportCells& cells, const ReportLook& look, const PageSetup& page)
    : run_(run), cells_(cells), look_(look) {
    report_.Page = page;
    Build();
}

void ReportForm::Build() {
    const BandType types[kReportSections] = {BandType::PageHeader, BandType::Title,       BandType::GroupHeader,
                                             BandType::Child,      BandType::Child,       BandType::SubDetail,
                                             BandType::Child,      BandType::GroupFooter, BandType::PageFooter};
    for (std::size_t i = 0; i < kReportSections; ++i) {
        TRepBand* b = i == static_cast<std::size_t>(ReportSection::ColumnHeaders)
                          ? &report_.AddSubDetail(kBandNames[i])
                          : &report_.AddBand(types[i], kBandNames[i]);
        b->Font = look_.fonts[i];
        b->Color = look_.colors[i];
        b->Height = SectionHeight(static_cast<ReportSection>(i), b->Font.size);
        bands_[i] = b;
    }
    const double width = report_.Page.Width - report_.Page.LeftMargin - report_.Page.RightMargin;
    auto label = [&](ReportSection s, double w, Alignment align = Alignment::Left) -> TRepLabel& {
        TRepLabel& l = band(s)->Add<TRepLabel>();
        l.Top = SectionLabelTop(s, band(s)->Font.size);
        l.Width = w;
        l.Height = FontPixels(band(s)->Font.size);
        l.alignment = align;
        return l;
    };
    TRepBand* pageHeader = band(ReportSection::PageHeader);
    pageHeader->Frame.DrawBottom = true;
    pageHeader->Frame.Color = pageHeader->Font.color;
    label(ReportSection::PageHeader, width / 2).Caption = "Korvalder? 1.01";
    TRepSysData& date = pageHeader->Add<TRepSysData>();
    date.Data = SysDataKind::DateTime;
    date.dateTimeText = look_.dateTimeText;
    date.Left = width / 2;
    date.Top = SectionLabelTop(ReportSection::PageHeader, pageHeader->Font.size);
    date.Width = width / 2;
    date.Height = FontPixels(pageHeader->Font.size);
    date.alignment = Alignment::Right;
    titleLabel_ = &label(ReportSection::Title, width, Alignment::Centre);
    catalogLabel_ = &label(ReportSection::CatalogHeading, width);
    diskLabel_ = &label(ReportSection::DiskHeading, width);
    diskDetailsLabel_ = &label(ReportSection::DiskHeading, width);
    diskDetailsLabel_->Top = diskLabel_->Top + diskLabel_->Height;
    diskDetailsLabel_->Font = std::make_unique<ReportFont>(band(ReportSection::DiskHeading)->Font);
    diskDetailsLabel_->Font->style = 0;
    diskDetailsLabel_->Font->size = std::max(6, band(ReportSection::DiskHeading)->Font.size * 5 / 9);
    diskDetailsLabel_->Height = FontPixels(diskDetailsLabel_->Font->size);
    folderLabel_ = &label(ReportSection::FolderHeading, width);
    summaryLabel_ = &label(ReportSection::Summary, width);
    TRepShape& line = band(ReportSection::Summary)->Add<TRepShape>();
    line.Top = SummaryLineTop(band(ReportSection::Summary)->Font.size);
    line.Width = width;
    line.Height = 4;
    line.PenWidth = 2;
    line.PenColor = band(ReportSection::Summary)->Font.color;
    TRepBand* footer = band(ReportSection::PageFooter);
    footer->Frame.DrawTop = true;
    footer->Frame.Color = footer->Font.color;
    TRepSysData& page = footer->Add<TRepSysData>();
    page.Text = "Page ";
    page.Width = width;
    page.Top = SectionLabelTop(ReportSection::PageFooter, footer->Font.size);
    page.Height = FontPixels(footer->Font.size);
    page.alignment = Alignment::Centre;
    iconImage_ = &band(ReportSection::Details)->Add<TRepImage>();

    auto& pageColHeader = report_.AddBand(BandType::ColumnHeader, "PageColHeaderBand");
    pageColHeader.Font = band(ReportSection::ColumnHeaders)->Font;
    pageColHeader.Height = band(ReportSection::ColumnHeaders)->Height;
    pageColHeader.Color = band(ReportSection::ColumnHeaders)->Color;

    report_.PageHeaderBand = pageHeader;
    report_.TitleBand = band(ReportSection::Title);
    report_.GroupHeaderBand = band(ReportSection::CatalogHeading);
    band(ReportSection::CatalogHeading)->ChildBand = band(ReportSection::DiskHeading);
    band(ReportSection::DiskHeading)->ChildBand = band(ReportSection::FolderHeading);
    auto* sub = static_cast<TRepSubDetail*>(band(ReportSection::ColumnHeaders));
    report_.SubDetail = sub;
    sub->ChildBand = band(ReportSection::Details);
    sub->Footer = band(ReportSection::Summary);
    report_.PageColumnHeaderBand = &pageColHeader;
    report_.PageFooterBand = footer;

    report_.OnNeedData = [this](TBandReport&, bool& more) { NeedData(more); };
    sub->OnNeedData = [this](TRepSubDetail&, bool& more) { DetailNeedData(more); };
    // Fit rules: a heading never ends a page. Each heading (catalog and disk
    // ones too, so a disk heading is not left alone above a page break) needs
    // room for the headings after it, the column header, one row and, for a
    // batch of one row, its summary.
    for (ReportSection s : {ReportSection::CatalogHeading, ReportSection::DiskHeading, ReportSection::FolderHeading}) {
        band(s)->BeforePrint = [this](TRepBand& b, bool&) {
            double need = Height(ReportSection::Details);
            for (const TRepBand* h = &b; h; h = h->ChildBand)
                if (h->Enabled)
                    need += h->Height;
            if (Included(ReportSection::ColumnHeaders))
                need += Height(ReportSection::ColumnHeaders);
            if (batchRows_ == 1 && Included(ReportSection::Summary))
                need += Height(ReportSection::Summary);
            if (report_.CurrentY() + need > report_.BodyBottom())
                report_.NewPage();
        };
    }
    sub->BeforePrint = [this](TRepBand& b, bool&) {
        double need = b.Height + Height(ReportSection::Details);
        if (band(ReportSection::Summary)->Enabled)
            need += Height(ReportSection::Summary);
        if (report_.CurrentY() + need > report_.BodyBottom())
            report_.NewPage();
    };
    // A page begun inside a group repeats the column header, when there is one.
    band(ReportSection::Details)->BeforePrint = [this](TRepBand&, bool&) {
        report_.PageColumnHeaderBand->Enabled = Included(ReportSection::ColumnHeaders);
    };
    band(ReportSection::Details)->AfterPrint = [this](TRepBand&, bool) { report_.PageColumnHeaderBand->Enabled = false; };
    pageHeader->AfterPrint = [this](TRepBand&, bool) {
        band(ReportSection::ColumnHeaders)->Enabled = Included(ReportSection::ColumnHeaders);
    };
}

void ReportForm::CreateColumnLabels(const std::vector<int>& widths) {
    TRepBand* header = band(ReportSection::ColumnHeaders);
    TRepBand* detail = band(ReportSection::Details);
    TRepBand* pageHeader = report_.PageColumnHeaderBand;
    auto dropLabels = [](TRepBand* b, std::vector<TRepLabel*>& labels) {
        std::erase_if(b->Controls, [&](const std::unique_ptr<TRepControl>& c) {
            return std::find(labels.begin(), labels.end(), c.get()) != labels.end();
        });
        labels.clear();
    };
    dropLabels(header, headerLabels_);
    dropLabels(detail, detailLabels_);
    dropLabels(pageHeader, pageHeaderLabels_);
    double left = 0;
    iconImage_->Enabled = look_.icons;
    if (look_.icons) {
        const double side = static_cast<int>(detail->Height * 0.8);
        iconImage_->Width = iconImage_->Height = side;
        iconImage_->Top = (detail->Height - side) / 2;
        left = side + 8;
    }
    for (std::size_t k = 0; k < run_.columns.size(); ++k) {
        const double w = k < widths.size() ? widths[k] : 0;
        auto make = [&](TRepBand* b, Alignment align, bool frame) {
            TRepLabel& l = b->Add<TRepLabel>();
            l.Left = left;
            l.Top = SectionLabelTop(b == detail ? ReportSection::Details : ReportSection::ColumnHeaders, b->Font.size);
            l.Width = w;
            l.Height = FontPixels(b->Font.size);
            l.AutoStretch = true;
            l.alignment = align;
            l.Tag = run_.columns[k].column;
            if (frame) {
                l.FrameBottomWidth = 1;
                l.FrameColor = b->Font.color;
            }
            return &l;
        };
        headerLabels_.push_back(make(header, Alignment::Left, true));
        pageHeaderLabels_.push_back(make(pageHeader, Alignment::Left, true));
        detailLabels_.push_back(make(detail, run_.columns[k].align, false));
        left += w + kColumnGap;
    }
}

void ReportForm::NeedData(bool& more) {
    if (next_ >= commands_.size() && batcher_) {
        commands_ = batcher_->FillReportCommands([this] {
            if (OnRowStep)
                OnRowStep();
            return aborted_;
        });
        next_ = 0;
        batchRows_ = std::count_if(commands_.begin(), commands_.end(),
                                   [](const ReportCommand& c) { return c.code == ReportCode::Row; });
        if (!commands_.empty())
            CreateColumnLabels(batcher_->Widths());
    }
    more = !aborted_ && next_ < commands_.size();
    if (!more)
        return;
    for (ReportSection s : {ReportSection::Title, ReportSection::CatalogHeading, ReportSection::DiskHeading,
                            ReportSection::FolderHeading})
        band(s)->Enabled = false;
    report_.PageColumnHeaderBand->Enabled = false;
    while (next_ < commands_.size()) {
        const ReportCommand& c = commands_[next_];
        switch (c.code) {
        case ReportCode::Title:
            band(ReportSection::Title)->Enabled = Included(ReportSection::Title);
            titleLabel_->Caption = c.text.empty() ? "Korvalder? report" : c.text;
            break;
        case ReportCode::CatalogHeading:
            band(ReportSection::CatalogHeading)->Enabled = Included(ReportSection::CatalogHeading);
            catalogLabel_->Caption = "Catalog: " + c.text;
            break;
        case ReportCode::DiskHeading:
            band(ReportSection::DiskHeading)->Enabled = Included(ReportSection::DiskHeading);
            diskLabel_->Caption = c.text;
            if (next_ + 1 < commands_.size() && commands_[next_ + 1].code == ReportCode::DiskDetails)
                diskDetailsLabel_->Caption = commands_[++next_].text;
            break;
        case ReportCode::FolderHeading:
            band(ReportSection::FolderHeading)->Enabled = Included(ReportSection::FolderHeading);
            folderLabel_->Caption = "Folder: " + c.text;
            break;
        default:
            return;
        }
        ++next_;
    }
}

void ReportForm::DetailNeedData(bool& more) {
    more = !aborted_ && next_ < commands_.size();
    report_.PageColumnHeaderBand->Enabled = false;
    band(ReportSection::ColumnHeaders)->Enabled = false;
    while (more && next_ < commands_.size()) {
        const ReportCommand& c = commands_[next_++];
        bool endCall = false;
        if (c.code == ReportCode::Row) {
            for (std::size_t k = 0; k < detailLabels_.size(); ++k)
                detailLabels_[k]->Caption = k < c.cells.size() ? c.cells[k] : std::string();
            iconImage_->Picture = c.icon;
            endCall = true;
        } else if (c.code == ReportCode::ColumnHeader) {
            band(ReportSection::ColumnHeaders)->Enabled = Included(ReportSection::ColumnHeaders);
            for (std::size_t k = 0; k < headerLabels_.size(); ++k) {
                headerLabels_[k]->Caption = k < c.cells.size() ? c.cells[k] : std::string();
                pageHeaderLabels_[k]->Caption = headerLabels_[k]->Caption;
            }
        }
        if (next_ < commands_.size() && commands_[next_].code == ReportCode::Summary) {
            summaryLabel_->Caption = commands_[next_++].text;
            endCall = true;
        }
        if (endCall)
            break;
    }
    TRepBand* summary = band(ReportSection::Summary);
    summary->Enabled = Included(ReportSection::Summary) && next_ >= commands_.size();
    // The last row goes with the summary.
    if (more && summary->Enabled &&
        report_.CurrentY() + Height(ReportSection::Details) + summary->Height > report_.BodyBottom())
        report_.NewPage();
}

bool ReportForm::Run(ReportTarget& target, const TextMeasurer& measurer) {
    aborted_ = false;
    measurer_ = &measurer;
    // Printed widths: the text as the band's font draws it, and a little slack
    // for devices that draw it a little wider.
    batcher_ = std::make_unique<ReportBatcher>(run_, cells_, [this](bool header, std::string_view text) {
        const ReportFont& font = band(header ? ReportSection::ColumnHeaders : ReportSection::Details)->Font;
        return static_cast<int>(measurer_->TextWidth(font, text)) + 5;
    });
    commands_.clear();
    next_ = 0;
    band(ReportSection::PageHeader)->Enabled = Included(ReportSection::PageHeader);
    band(ReportSection::PageFooter)->Enabled = Included(ReportSection::PageFooter);
    band(ReportSection::ColumnHeaders)->Enabled = Included(ReportSection::ColumnHeaders);
    report_.ReportTitle = run_.title.empty() ? "Korvalder? report" : run_.title;
    const bool done = report_.Run(target, measurer);
    batcher_.reset();
    commands_.clear();
    next_ = 0;
    measurer_ = nullptr;
    return done && !aborted_;
}

void ReportForm::Abort() {
    aborted_ = true;
    report_.Cancel();
}

}  // namespace kv
