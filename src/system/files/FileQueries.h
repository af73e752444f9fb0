#pragma once
// What the system tells about files and folders by path: whether one exists,
// its short form, the temporary and Windows folders; touching a file's date.
#include <cstdint>
#include <string>

namespace kv {

// A drive root ("C:\") is looked up among the logical drives; anything else
// must exist as a file or folder (a trailing backslash is ignored).
bool PathExists(const std::string& path);

// Whether the system finds a file or folder of that path. Wildcards find
// nothing: a mask is no path. An empty drive asks no question.
bool FileExistsByFind(const std::string& path);

// The system's code for why the last file call on this thread failed (0 when
// it did not), cleared by the reading: for callers of the queries here that
// answer only false.
std::uint32_t LastIOResult();

// The 8.3 form of a path, or the path itself when the system has none.
std::string GetShortPath(const std::string& path);

// Sets the file's last-write time to now; false when it cannot.
bool TouchFileNow(const std::string& name);

// With a trailing backslash; ".\" when the system does not say.
std::string GetTempDir();
std::string GetWindowsDir();

}  // namespace kv
