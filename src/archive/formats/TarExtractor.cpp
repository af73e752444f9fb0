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
    try {
        while (auto e = reader.Next()) {
            std::string name = BackslashName(e->name);
            while (!name.empty() && name.back() == '\\') name.pop_back();
            if (e->IsFolder()) {
                MakeStoredFolder(name);
                continue;
            }
            if (!e->IsFile() || name.empty()) continue;
            auto target = Admit(name, e->size, false);
            if (!target) continue;
            std::uint32_t stamp = encodeDosDateTime(UnixToDateTime(e->mtime, Context().BiasMinutes()));
            WriteMember(*target, stamp, [&](OutputSink& sink) {
                PackedInput packed = MemberInput(in->Source(), e->dataPos, e->size);
                DecodedOutput out(sink, e->size, DecodedOutput::Check::None);
                CopyStored(packed, out);
                return true;
            });
            if (oneOnly) break;
        }
    } catch (const ETruncated&) {
        Fail(eReadError);
    }
}

}  // namespace kv::arc
