#include "search/reports/ReportText.h"

#include "base/text/TextLines.h"
#include "base/text/TextPadding.h"

namespace kv {

namespace {

constexpr int kLineWidth = 80;
constexpr std::string_view kProgram = "Korvalder? 1.01";
constexpr std::string_view kDefaultTitle = "Korvalder? report";

class TextWriter {
public:
    TextWriter(const ReportTextOptions& options, const std::function<void(std::string_view)>& write)
        : options_(options), write_(write) {}

    void Line(std::string_view text = {}) {
        write_(text);
        write_("\r\n");
    }
    void Rule(char c) { Line(RepeatChar(c, kLineWidth)); }
    void Centred(std::string_view text) { Line(CenterText(text, kLineWidth)); }

    // One command's cells as text lines, as tall as its tallest cell.
    void Row(const std::vector<std::string>& cells, const std::vector<ReportColumn>& columns,
             const std::vector<int>& widths, bool header) {
        std::vector<std::vector<std::string_view>> lines;
        std::size_t height = 1;
        for (const std::string& cell : cells) {
            lines.push_back(SplitLines(cell));
            height = std::max(height, lines.back().size());
        }
        const char delimiter = options_.delimiter == TextDelimiter::Tab ? '\t' : ',';
        const std::string_view replacement = options_.replacement.empty() ? "_" : std::string_view(options_.replacement);
        for (std::size_t l = 0; l < height; ++l) {
            std::string out;
            for (std::size_t k = 0; k < lines.size(); ++k) {
                const bool present = l < lines[k].size();
                const int width = k < widths.size() ? widths[k] : 0;
                if (options_.delimiter == TextDelimiter::Space) {
                    if (!present) {
                        out += Spaces(width + 1);
                        continue;
                    }
                    const std::string_view text = lines[k][l];
                    const report::Alignment align = header || k >= columns.size() ? report::Alignment::Left
                                                                                  : columns[k].align;
                    if (align == report::Alignment::Right)
                        out += PadLeft(text, width) + ' ';
                    else if (align == report::Alignment::Centre)
                        out += CenterText(text, width) + ' ';
                    else
                        out += PadRight(text, width + 1);
                } else {
                    if (present)
                        out += ReplaceDelimiterChars(lines[k][l], delimiter, replacement);
                    if (k + 1 < lines.size())
                        out += delimiter;
                }
            }
            Line(out);
        }
    }

    char DelimiterChar() const {
        switch (options_.delimiter) {
        case TextDelimiter::Tab: return '\t';
        case TextDelimiter::Comma: return ',';
        case TextDelimiter::Space: break;
        }
        return ' ';
    }

private:
    const ReportTextOptions& options_;
    const std::function<void(std::string_view)>& write_;
};

}  // namespace

std::string ReplaceDelimiterChars(std::string_view text, char delimiter, std::string_view replacement) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == delimiter)
            out += replacement;
        else
            out += c;
    }
    return out;
}

bool ExportReportToText(const ReportRun& run, const ReportCells& cells, const ReportTextOptions& options,
                        const std::function<void(std::string_view)>& write,
                        const std::function<void(std::size_t rows)>& progress, const std::function<bool()>& stop) {
    TextWriter out(options, write);
    const std::string_view title = run.title.empty() ? kDefaultTitle : std::string_view(run.title);
    out.Rule('=');
    out.Line(std::string(kProgram) + PadLeft(options.timestamp, kLineWidth - static_cast<int>(kProgram.size())));
    out.Line();
    out.Centred(title);
    out.Line();
    out.Rule('=');
    out.Line();

    ReportBatcher batcher(run, cells, [](bool, std::string_view text) { return LongestLineLength(text); });
    std::size_t rows = 0;
    bool stopped = false;
    while (!batcher.Done() && !stopped) {
        const std::vector<ReportCommand> commands = batcher.FillReportCommands(stop);
        if (stop && stop())
            stopped = true;
        const std::vector<int>& widths = batcher.Widths();
        for (std::size_t i = 0; i < commands.size(); ++i) {
            const ReportCommand& c = commands[i];
            switch (c.code) {
            case ReportCode::Row:
                out.Row(c.cells, run.columns, widths, false);
                ++rows;
                if (progress)
                    progress(rows);
                break;
            case ReportCode::ColumnHeader:
                if (options.sections.columnHeaders) {
                    out.Row(c.cells, run.columns, widths, true);
                    std::string rule;
                    for (int w : widths)
                        rule += RepeatChar('-', w) + out.DelimiterChar();
                    out.Line(rule);
                }
                break;
            case ReportCode::Title:
                if (options.sections.title) {
                    out.Centred(title);
                    out.Line();
                }
                break;
            case ReportCode::Summary:
                if (options.sections.summary) {
                    out.Line("---");
                    out.Line(c.text);
                }
                out.Line();
                break;
            case ReportCode::CatalogHeading:
                out.Rule('*');
                out.Centred(c.text);
                out.Rule('*');
                out.Line();
                break;
            case ReportCode::DiskHeading: {
                out.Rule('=');
                out.Centred(c.text);
                const bool details = i + 1 < commands.size() && commands[i + 1].code == ReportCode::DiskDetails;
                out.Centred(details ? std::string_view(commands[i + 1].text) : std::string_view());
                if (details)
                    ++i;
                out.Rule('=');
                out.Line();
                break;
            }
            case ReportCode::FolderHeading: {
                const std::string line = "Folder: " + c.text;
                out.Line(line);
                out.Line(RepeatChar('-', static_cast<int>(line.size())));
                break;
            }
            case ReportCode::DiskDetails:
                break;
            }
        }
    }
    out.Rule('=');
    out.Centred(stopped ? "R E P O R T   C A N C E L E D !" : "E N D   O F   R E P O R T");
    out.Rule('=');
    return !stopped;
}

}  // namespace kv
