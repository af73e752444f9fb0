// arclist FILE: lists an archive with the program's own detection and lister.
// First line: TYPE, TAB, the kind's display name; then one line per member in
// archive order (see ListingLine). On damage the members read so far are printed,
// then the message on standard error, and the exit status is 1.
#include <cstdio>
#include <string>

#include "archive/ArcLister.h"
#include "archive/ListingText.h"
#include "tests/support/ToolCommand.h"

int main(int argc, char** argv) {
    using namespace kv::arc;
    if (argc != 2) {
        std::fprintf(stderr, "usage: arclist FILE\n");
        return 2;
    }
    auto context = ArchiveContext::System();
    TArcLister lister(*context);
    std::string path = argv[1];
    for (char& c : path)
        if (c == '/') c = '\\';
    lister.SetArchiveFile(path);
    if (lister.ArchiveFile().empty()) {
        std::fprintf(stderr, "%s\n", ArcMessage(eFileNotFound).c_str());
        return 1;
    }
    std::string type(ArcTypeDisplayName(lister.ArcType()));
    type.erase(type.find_last_not_of(' ') + 1);
    std::printf("TYPE\t%s\n", type.c_str());
    lister.OnRead = [](ArchiveReader& sender, std::uint64_t, int) {
        std::printf("%s\n", ListingLine(sender.Current).c_str());
    };
    return kv::test::RunToolCommand([&] { lister.Activate(); });
}
