#include "archive/formats/TarExtractor.h"

#include "archive/ArcDates.h"
#include "archive/decoders/CopyStored.h"
#include "archive/MemberWalker.h"
#include "archive/formats/TarReader.h"

#include "base/DosDateTime.h"

namespace kv::arc {

void TUnTAR::DoExtract() {
    std::unique_ptr<ArcInput> in = OpenArchive({atTAR});
    ActivationScope activation(*this);
    const std::vector<std::string>& names = Context().MemberNames;
    const bool oneOnly = names.empty() ? FileSpec().find_first_of("*?") == std::string::npos : names.size() == 1;
    TarReader reader(*in, ArchiveStart(), Failer());
    bool extracted = false;
    std::string link;  // the first hard link asked for: its data is another member's
    try {
        while (auto e = reader.Next()) {
            std::string name = BackslashName(e->name);
            while (!name.empty() && name.back() == '\\') name.pop_back();
            if (e->IsFolder()) {
                MakeStoredFolder(name);
                continue;
            }
            if (e->IsHardLink() && !name.empty() && Selects(name)) {
                if (link.empty()) link = name;
                if (oneOnly) break;
                continue;
            }
            if (!e->IsFile() || name.empty()) continue;
            auto target = Admit(name, e->size, false);
            if (!target) continue;
            std::uint32_t stamp = encodeDosDateTime(UnixToDateTime(e->mtime, Context().BiasMinutes()));
            extracted |= WriteMember(*target, stamp, [&](OutputSink& sink) {
                PackedInput packed = MemberInput(in->Source(), e->dataPos, e->size, true);
                DecodedOutput out(sink, e->size, DecodedOutput::Check::None);
                CopyStored(packed, out);
                // The archive ends inside the data: damage, and the partial file goes.
                if (out.Written() != e->size) Fail(eReadError);
                return true;
            });
            if (oneOnly) break;
        }
    } catch (const ETruncated&) {
        Fail(eReadError);
    }
    if (link.empty()) return;
    if (!extracted) RaiseArcError(*this, link, "0", eNothingToDo);
    ReportArcError(*this, link, "0", eNothingToDo);
}

}  // namespace kv::arc
