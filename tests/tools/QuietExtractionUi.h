#pragma once
// For the tools that scan without windows: the extraction of description files is
// quiet; nothing here is ever shown.
#include <string>

#include "archive/TempExtraction.h"

namespace kv::tools {

class QuietExtractionUi : public arc::IExtractionUi {
public:
    void ShowWait(const std::string&, const std::string&) override {}
    bool Progress(int) override { return false; }
    void CloseWait() override {}
    void ShowError(const std::string&, const std::string&) override {}
    bool Ask(const std::string&, const std::string&) override { return false; }
};

}  // namespace kv::tools
