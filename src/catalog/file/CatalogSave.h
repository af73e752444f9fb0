#pragma once
// Saving an open catalog as one transaction: the new file is written under a
// temporary name, reaches stable storage, and only then replaces the old one.
// The records take their new positions only once the new file is in place and
// a reader is open on it; on any failure or Cancel the catalog stays exactly as
// it was (modified, reader open on a file that matches its records), and the
// file under the catalog's name is the old one or the new one, whole.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "system/files/FileSystem.h"
#include "catalog/model/Node.h"
#include "catalog/file/StoredText.h"
#include "ui/UserPrompt.h"

namespace kv {

class WaitProgress;

// Refused: nothing was tried; SaveEnvironment::refusal tells why.
enum class SaveResult { Saved, Cancelled, Failed, Refused };

enum class SaveRefusal { None, SearchRunning, SaveRunning };

// What the caller shows for a refused save, with the information icon.
struct SaveRefusalMessage {
    const char* caption;
    const char* text;
};
SaveRefusalMessage RefusalMessage(SaveRefusal reason);

// The Save dialog.
class ISaveDialog {
public:
    struct Request {
        std::string title;
        std::string initialFolder;
        std::string fileName;  // proposed
    };
    virtual ~ISaveDialog() = default;
    // The chosen name; nullopt when cancelled.
    virtual std::optional<std::string> askSaveName(const Request& request) = 0;
};

// What a save needs from the program. One per program: it also holds the
// guard that keeps a second save from starting while one runs.
struct SaveEnvironment {
    SaveEnvironment(IFileSystem& fileSystem, ui::UserPrompt& userPrompt, ISaveDialog& saveDialog)
        : fs(fileSystem), prompt(userPrompt), dialog(saveDialog) {}

    IFileSystem& fs;
    ui::UserPrompt& prompt;
    ISaveDialog& dialog;
    WaitProgress* progress = nullptr;
    // Where a catalog never saved is proposed.
    std::string catalogFolder;
    // Keep the replaced file with the extension ".BAK".
    bool createBak = false;
    LeadBytes lead;
    // Between tries of a blocked replacement: waits and lets pending messages through.
    std::function<void(int milliseconds)> pause;
    // Pending window messages, let through while the file is written (also
    // without a progress window); may be empty.
    std::function<void()> processMessages;
    // Milliseconds from any fixed start; empty for the system's steady clock.
    std::function<std::uint64_t()> clockMs;
    // The status bar's busy text; empty for idle.
    std::function<void(const std::string&)> status;
    // A running search walks the catalogs: no save may start meanwhile.
    std::function<bool()> searchRunning;
    // New files kept as a catalog's only complete copy after an abandoned
    // replacement; each is erased once a later save stops reading it.
    std::vector<std::string> keptFiles;

    bool saving = false;
    // Why the last call was refused; None when it was not.
    SaveRefusal refusal = SaveRefusal::None;
};

// Saves the catalog at `catalogNode` to its file, or with saveAs (or when it has
// none) to a file the user chooses. A plain save of an unmodified catalog does
// nothing and counts as saved. Failures are reported to the user here; a
// refusal (a search or another save running) is left to the caller to show.
SaveResult SaveCatalog(Node* catalogNode, bool saveAs, SaveEnvironment& env);

}  // namespace kv
