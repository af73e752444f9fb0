#pragma once
// The system queries that more than one file or drive component makes, each
// asked in one place.
#include <windows.h>

#include <string>

namespace kv {

// INVALID_FILE_ATTRIBUTES when the path names nothing.
DWORD FileAttributesOf(const std::string& path);

// The system's temporary folder with its trailing backslash; "" when it does not say.
std::string SystemTempPath();

// Space on the volume holding `folder`; any of the out-parameters may be null.
bool DiskFreeSpace(const std::string& folder, ULARGE_INTEGER* available, ULARGE_INTEGER* total,
                   ULARGE_INTEGER* free);

}  // namespace kv
