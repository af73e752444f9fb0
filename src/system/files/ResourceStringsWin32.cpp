#include <windows.h>

#include "system/files/ResourceStrings.h"

namespace kv {

namespace {

class Win32ResourceStrings final : public IResourceStrings {
public:
    std::vector<std::string> LoadStrings(const std::string& modulePath, unsigned first, unsigned count,
                                         std::size_t maxChars) override {
        std::vector<std::string> texts(count);
        HMODULE module = LoadLibraryExA(modulePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (!module) return texts;
        std::string buffer(maxChars + 1, '\0');
        for (unsigned i = 0; i < count; ++i) {
            int n = LoadStringA(module, first + i, buffer.data(), static_cast<int>(buffer.size()));
            if (n > 0) texts[i].assign(buffer.data(), static_cast<std::size_t>(n));
        }
        FreeLibrary(module);
        return texts;
    }
};

}  // namespace

std::unique_ptr<IResourceStrings> MakeSystemResourceStrings() { return std::make_unique<Win32ResourceStrings>(); }

}  // namespace kv
