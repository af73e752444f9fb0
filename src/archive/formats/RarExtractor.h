#pragma once
// Extracts RAR members through a RAR library loaded at run time; the library walks
// and writes, this component chooses members and answers the library's callbacks.
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/ArchiveComponent.h"
#include "archive/formats/RarLibrary.h"

namespace kv::arc {

class TUnRAR : public TUnBase {
public:
    explicit TUnRAR(ArchiveContext& context) : TUnBase(context) {}

    // The library to use; tests hand in their own functions.
    std::function<std::shared_ptr<const RarFunctions>()> Loader = LoadRarLibrary;
    // The wait window's text while members before the wanted one are passed over.
    std::function<void(TUnRAR& sender, const std::string& text)> OnStatus;
    // The user's stop request (the extraction error code is -3 then).
    std::function<bool()> CancelRequested;

    // The extractor the library's callbacks report to while one is at work.
    static TUnRAR* Working();

protected:
    void DoExtract() override;

private:
    friend struct RarCallbacks;
    [[noreturn]] void Fail(int id);
    // The context's member-name list as every extractor reads it; without one, the
    // file-name part against the upper-cased mask.
    bool Selects(const std::string& storedName, const std::string& mask) const;
    int VolumeEvent(int mode);
    int DataEvent(int size);

    std::uint64_t processed_ = 0;
    std::uint64_t unpacked_ = 0;
    bool extracting_ = false;
    bool cancelled_ = false;
    std::exception_ptr pending_;  // thrown by an event inside a library callback
};

// A library result as a message number: 0 for success and the end of the archive.
int RarResultToId(int libraryCode);

}  // namespace kv::arc
