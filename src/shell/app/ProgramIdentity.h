#pragma once
// The names by which the program finds itself: the running instance's window
// class, the title and the registry key of its settings.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kv {

inline constexpr const char* kProgramTitle = "Korvalder?";
// A second start finds the running one by this class.
inline constexpr const char* kMainWindowClass = "Korvalder? WndClass";
// Under HKEY_CURRENT_USER.
inline constexpr const char* kProgramKey = "\\SOFTWARE\\Talvenmoor\\Korvalder?";
// Two first starts at the same moment: the second waits for the first one's
// window instead of starting as a second instance.
inline constexpr const char* kStartupMutexName = "Korvalder? Startup";
// Lets the program's own tests give each run a key of its own; read once at start.
inline constexpr const char* kProgramKeyVariable = "KORVALDER_KEY";

// The settings revision this program writes.
inline constexpr std::uint8_t kRevision = 2;

// Anything but exactly one byte of this revision means the key holds settings
// of another revision (or none): the whole key is wiped so every reader gets
// its defaults.
inline bool MarkerIsCurrent(const std::optional<std::span<const std::uint8_t>>& marker) {
    return marker && marker->size() == 1 && (*marker)[0] == kRevision;
}

// The key from the environment's value when set, else the program's own.
std::string ProgramKeyFrom(const char* environmentValue);

}  // namespace kv
