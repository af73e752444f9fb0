#include "system/files/ResourceStrings.h"

namespace kv {

namespace {

class NoResourceStrings final : public IResourceStrings {
public:
    std::vector<std::string> LoadStrings(const std::string&, unsigned, unsigned count, std::size_t) override {
        return std::vector<std::string>(count);
    }
};

}  // namespace

std::unique_ptr<IResourceStrings> MakeSystemResourceStrings() { return std::make_unique<NoResourceStrings>(); }

}  // namespace kv
