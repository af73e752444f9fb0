#include "shell/app/ProgramIdentity.h"

namespace kv {

std::string ProgramKeyFrom(const char* environmentValue) {
    if (environmentValue == nullptr || *environmentValue == '\0')
        return kProgramKey;
    std::string key = environmentValue;
    if (key.front() != '\\')
        key.insert(key.begin(), '\\');
    return key;
}

}  // namespace kv
