// ostimport DSKFILE OUT.ctf: imports the earlier DOS program's database whose
// ".DSK" file is DSKFILE (the ".CMT", ".FDS" and ".FIL" files beside it) as
// the program does, and saves the catalog as OUT.ctf.
#include <cstdio>
#include <string>

#include "ToolSave.h"
#include "scan/dosimport/OstrandelImport.h"
#include "system/files/FileSystem.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ostimport DSKFILE OUT.ctf\n");
        return 2;
    }
    std::unique_ptr<kv::IFileSystem> fs = kv::MakeSystemFileSystem();
    std::string error;
    const std::optional<kv::OstrandelDatabase> database = kv::ReadOstrandelDatabase(*fs, argv[1], error);
    if (!database) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    kv::Forest forest;
    const kv::OstrandelImportResult result = kv::ImportOstrandelDatabase(forest, *database);
    if (result.entriesMissing) {
        std::fprintf(stderr, "%s\n", kv::kOstrandelNoEntries);
        return 1;
    }
    std::string messages;
    kv::tools::CollectingPrompt prompt(messages);
    kv::tools::FixedName dialog(argv[2]);
    kv::SaveEnvironment env(*fs, prompt, dialog);
    const kv::SaveResult saved = kv::SaveCatalog(result.catalog, true, env);
    std::fputs(messages.c_str(), stderr);
    return saved == kv::SaveResult::Saved ? 0 : 1;
}
