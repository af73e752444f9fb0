#pragma once
// The one way a stored member name becomes a path to write: whatever the archive
// says, the result lies inside the extraction folder. Every writer of extracted
// files asks here, and only paths it returned are recorded for later deletion.
#include <string>
#include <string_view>

namespace kv::arc {

enum class PathRefusal {
    None,
    NoFolder,         // the extraction folder is empty
    EmptyName,        // nothing of the name is left, or it names a folder
    ParentReference,  // a ".." component
    TooLong,          // a component over 255 characters or a path over 259
};

struct SafeTarget {
    std::string path;  // empty when refused
    PathRefusal refusal = PathRefusal::None;
    explicit operator bool() const { return refusal == PathRefusal::None; }
};

// The path for memberName under folder ('\' added when missing). Separators are '\'
// and '/'; "\\?\", "\\.\", UNC and drive prefixes and leading separators are dropped,
// so are empty and "." components; a ".." component refuses the member (without
// stored folders only as the name itself, the folders being dropped). Control
// characters and <>:"|?* become '_' (so no ":" stream is reachable), trailing dots
// and spaces go, and device names (CON, NUL, COM1, LPT1, CONIN$, ... also with an
// extension) get a leading '_'. Without stored folders only the last component
// stays.
SafeTarget SafeTargetPath(std::string_view folder, std::string_view memberName, bool useStoredFolders);

// True when path lies strictly inside folder (both in Windows form, compared
// without regard to ASCII case) and holds no "..", "." or empty component and no ':'
// below it.
bool IsInsideFolder(std::string_view folder, std::string_view path);

}  // namespace kv::arc
