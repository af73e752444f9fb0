#include "scan/FilesBbsFile.h"

#include "base/text/TextLines.h"
#include "scan/DescriptIonFile.h"

namespace kv {

namespace {

constexpr std::size_t kNameField = 12;
constexpr std::size_t kIndent = 13;

bool IsEntryLine(const std::string& line) {
    return line.size() > kNameField && static_cast<unsigned char>(line.front()) > ' ';
}

// A long name the writer put alone in double quotes.
bool IsQuotedNameLine(const std::string& line) {
    return line.size() > 2 && line.front() == '"' && line.back() == '"' &&
           line.find('"', 1) == line.size() - 1;
}

bool IsContinuation(const std::string& line, std::size_t field) {
    return line.empty() || static_cast<unsigned char>(line.front()) <= ' ' || line.size() <= field;
}

void AppendColumn(std::string& description, const std::string& line, std::size_t column, bool firstLine) {
    if (!firstLine) description += "\r\n";
    if (line.size() > column) description.append(line, column, kMaxDescriptionLength);
}

std::string TrimRight(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    return std::string(text.substr(0, end));
}

}  // namespace

bool FilesBbsReader::fetch() {
    std::string line;
    if (lines_.readLine(line)) {
        pending_ = std::move(line);
        return true;
    }
    pending_.reset();
    return false;
}

bool FilesBbsReader::next(std::string& name, std::string& description, std::size_t maxLines) {
    if (!started_) {
        started_ = true;
        fetch();
    }
    while (pending_ && !IsEntryLine(*pending_) && !IsQuotedNameLine(*pending_)) fetch();
    if (!pending_) return false;

    const std::string entry = std::move(*pending_);
    std::size_t field = kNameField;
    std::size_t lineCount = 0;
    description.clear();
    if (IsQuotedNameLine(entry)) {
        name = entry.substr(1, entry.size() - 2);
    } else {
        const std::size_t space = entry.find(' ');
        field = space == std::string::npos ? kNameField : space;
        name = TrimRight(std::string_view(entry).substr(0, field));
        AppendColumn(description, entry, field, true);
        lineCount = 1;
    }
    while (fetch() && IsContinuation(*pending_, field)) {
        if (description.size() >= kMaxDescriptionLength) break;
        if (maxLines > 0 && lineCount >= maxLines) continue;
        AppendColumn(description, *pending_, field, lineCount == 0);
        ++lineCount;
    }
    if (description.size() > kMaxDescriptionLength) description.resize(kMaxDescriptionLength);
    while (description.size() >= 2 && description.compare(description.size() - 2, 2, "\r\n") == 0)
        description.resize(description.size() - 2);
    return true;
}

std::vector<std::string> LimitedLines(std::string_view description, const LineLimits& limits) {
    std::vector<std::string> out;
    std::string_view rest = description;
    while (!rest.empty()) {
        if (limits.maxLines > 0 && out.size() >= limits.maxLines) break;
        const LineBreak br = FindLineBreak(rest);
        std::string_view piece = rest.substr(0, br.position);
        if (limits.maxChars > 0 && piece.size() > limits.maxChars) piece = piece.substr(0, limits.maxChars);
        out.emplace_back(piece);
        rest.remove_prefix(br.position + br.length);
    }
    return out;
}

std::vector<std::string> FormatFilesBbsEntry(std::string_view name, std::string_view description,
                                             const LineLimits& limits) {
    std::vector<std::string> out;
    const std::vector<std::string> lines = LimitedLines(description, limits);
    const std::string indent(kIndent, ' ');
    std::string first;
    if (name.size() <= kNameField) {
        first.assign(name);
        first.append(kIndent - name.size(), ' ');
    } else {
        out.push_back("\"" + std::string(name) + "\"");
        first = indent;
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        out.push_back((i == 0 ? first : indent) + lines[i]);
    if (lines.empty()) out.push_back(TrimRight(first));
    return out;
}

}  // namespace kv
