#pragma once
// catreport's work: a custom report of a catalog, or of one of its folders,
// with the generator's default columns and settings, as its text export.
#include <optional>
#include <string>

namespace kv::tools {

struct ReportRequest {
    std::string catalog;
    // The disk's name, then the folder's path: "Disk1\docs\old".
    std::optional<std::string> folder;
    std::string output;
    // The header's date and time.
    std::string timestamp;
};

// Throws std::invalid_argument on a bad command line.
ReportRequest ParseReportArguments(int argc, char** argv);

// The export's text. Throws kv::Error when the catalog cannot be read and
// std::invalid_argument when the folder is not in it.
std::string CatalogReportText(const ReportRequest& request);

// "YYYY-MM-DD, HH:MM:SS" of the local time now.
std::string TimestampNow();

}  // namespace kv::tools
