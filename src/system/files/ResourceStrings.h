#pragma once
// String resources of a program file loaded as data: self-extracting programs name
// the position of their archive in string resources 1 to 4.
#include <memory>
#include <string>
#include <vector>

namespace kv {

class IResourceStrings {
public:
    virtual ~IResourceStrings() = default;
    // Texts of resources first..first+count-1 of the program file, at most maxChars
    // characters each; a missing resource (or a file that is no loadable module)
    // gives an empty text.
    virtual std::vector<std::string> LoadStrings(const std::string& modulePath, unsigned first, unsigned count,
                                                 std::size_t maxChars) = 0;
};

// The system's loader on Windows; elsewhere no module is loadable.
std::unique_ptr<IResourceStrings> MakeSystemResourceStrings();

}  // namespace kv
