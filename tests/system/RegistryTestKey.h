#pragma once
// A key of the current user's registry for one test, deleted before and after.
#include <windows.h>

#include <string>

namespace kv::test {

inline constexpr const char* kTestKeyPath = "\\Software\\Talvenmoor\\Korvalder? Tests";

class RegistryTestKey {
public:
    RegistryTestKey() { remove(); }
    ~RegistryTestKey() { remove(); }
    RegistryTestKey(const RegistryTestKey&) = delete;
    RegistryTestKey& operator=(const RegistryTestKey&) = delete;

    static std::string path() { return kTestKeyPath; }

private:
    static void remove() { RegDeleteTreeA(HKEY_CURRENT_USER, std::string(kTestKeyPath).substr(1).c_str()); }
};

}  // namespace kv::test
