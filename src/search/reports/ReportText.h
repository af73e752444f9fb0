#pragma once
// The report as an 80-column plain text file: a header block, the commands of
// every batch, and a footer that says whether the report ran to its end. ANSI
// bytes, CR LF line ends.
#include <functional>
#include <string>
#include <string_view>

#include "search/reports/ReportCommands.h"

namespace kv {

enum class TextDelimiter : std::uint8_t { Space, Tab, Comma };

// Which sections print (the report settings' include flags).
struct ReportSections {
    bool title = true;
    bool columnHeaders = true;
    bool summary = true;
};

struct ReportTextOptions {
    TextDelimiter delimiter = TextDelimiter::Space;
    // Replaces delimiter characters inside cells (TAB and comma modes); "_" when empty.
    std::string replacement = "_";
    ReportSections sections;
    // The date and time of the header line.
    std::string timestamp;
};

// Every delimiter character in the text replaced by the replacement.
std::string ReplaceDelimiterChars(std::string_view text, char delimiter, std::string_view replacement);

// Writes the whole export through write (called with pieces of the text).
// progress(rowsWritten) is called after each row; stop() ends the report early
// with the cancelled banner. Returns false when stopped.
bool ExportReportToText(const ReportRun& run, const ReportCells& cells, const ReportTextOptions& options,
                        const std::function<void(std::string_view)>& write,
                        const std::function<void(std::size_t rows)>& progress = {},
                        const std::function<bool()>& stop = {});

}  // namespace kv
