// The library's exported functions: no exception crosses into the caller.
#include <new>

#include "RarApi.h"
#include "RarSession.h"

using kv::rar::RarSession;

namespace {

RarSession* sessionOf(void* handle) { return static_cast<RarSession*>(handle); }

template <class F>
int guarded(F&& f) {
    try {
        return f();
    } catch (const std::bad_alloc&) {
        return kv::rar::kNoMemory;
    } catch (...) {
        return kv::rar::kUnknown;
    }
}

}  // namespace

extern "C" {

void* KV_RAR_CALL RAROpenArchive(RAROpenArchiveData* data) {
    if (!data) return nullptr;
    data->CmtSize = 0;
    data->CmtState = 0;
    RarSession* session = nullptr;
    data->OpenResult = guarded([&] {
        auto s = std::make_unique<RarSession>(kv::arc::MakeSystemFileSystem());
        int r = s->Open(data->ArcName ? data->ArcName : "");
        if (r == kv::rar::kSuccess) session = s.release();
        return r;
    });
    return session;
}

int KV_RAR_CALL RARCloseArchive(void* handle) {
    delete sessionOf(handle);
    return kv::rar::kSuccess;
}

int KV_RAR_CALL RARReadHeader(void* handle, RARHeaderData* data) {
    if (!handle || !data) return kv::rar::kBadArchive;
    return guarded([&] { return sessionOf(handle)->ReadHeader(*data); });
}

int KV_RAR_CALL RARProcessFile(void* handle, int operation, char* destPath, char* destName) {
    if (!handle) return kv::rar::kBadArchive;
    return guarded([&] { return sessionOf(handle)->ProcessFile(operation, destPath, destName); });
}

void KV_RAR_CALL RARSetChangeVolProc(void* handle, CHANGEVOLPROC proc) {
    if (handle) sessionOf(handle)->ChangeVolume = proc;
}

void KV_RAR_CALL RARSetProcessDataProc(void* handle, PROCESSDATAPROC proc) {
    if (handle) sessionOf(handle)->ProcessData = proc;
}

}  // extern "C"
