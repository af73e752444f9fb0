#include "shell/app/ParamsFile.h"

namespace kv {

std::string ParamsFileName(const std::string& tempFolder, int number) {
    return tempFolder + "Korvalder_Params" + std::to_string(number) + ".tmp";
}

std::string ParamsFileText(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& arg : args)
        text += arg + "\r\n";
    return text;
}

std::vector<std::string> ParseParamsFileText(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::optional<int> WriteParamsFile(ParamsFileSystem& fs, const std::string& tempFolder,
                                   const std::vector<std::string>& args, const std::function<int()>& drawNumber) {
    const std::string text = ParamsFileText(args);
    for (int attempt = 0; attempt < kParamsFileTries; ++attempt) {
        const int number = drawNumber();
        if (number < kMinParamsNumber || number > kMaxParamsNumber)
            continue;
        if (fs.CreateNew(ParamsFileName(tempFolder, number), text))
            return number;
    }
    return std::nullopt;
}

std::vector<std::string> TakeParamsFile(ParamsFileSystem& fs, const std::string& tempFolder, std::int64_t number) {
    if (number < kMinParamsNumber || number > kMaxParamsNumber)
        return {};
    const std::string path = ParamsFileName(tempFolder, static_cast<int>(number));
    std::optional<std::string> text = fs.ReadAll(path);
    if (!text)
        return {};
    fs.Erase(path);
    return ParseParamsFileText(*text);
}

int ParamsNumberSource::operator()() {
    // xorshift32: enough spread for 9999 names.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<int>(state_ % kMaxParamsNumber) + kMinParamsNumber;
}

}  // namespace kv
