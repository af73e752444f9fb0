#include "unrar/RarHandles.h"

#include <new>

#include "unrar/RarSession.h"

namespace kv::rar {
namespace {

RarSession* sessionOf(void* handle) { return static_cast<RarSession*>(handle); }

template <class F>
int guarded(F&& f) {
    try {
        return f();
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    } catch (...) {
        return kUnknown;
    }
}

}  // namespace

void* KV_RAR_CALL OpenArchive(RAROpenArchiveData* data, const FileSystemMaker& files) {
    if (!data) return nullptr;
    data->CmtSize = 0;
    data->CmtState = 0;
    RarSession* session = nullptr;
    data->OpenResult = guarded([&] {
        auto s = std::make_unique<RarSession>(files());
        int r = s->Open(data->ArcName ? data->ArcName : "");
        if (r == kSuccess) session = s.release();
        return r;
    });
    return session;
}

int KV_RAR_CALL CloseArchive(void* handle) {
    delete sessionOf(handle);
    return kSuccess;
}

int KV_RAR_CALL ReadHeader(void* handle, RARHeaderData* data) {
    if (!handle || !data) return kBadArchive;
    return guarded([&] { return sessionOf(handle)->ReadHeader(*data); });
}

int KV_RAR_CALL ProcessFile(void* handle, int operation, char* destPath, char* destName) {
    if (!handle) return kBadArchive;
    return guarded([&] { return sessionOf(handle)->ProcessFile(operation, destPath, destName); });
}

void KV_RAR_CALL SetChangeVolProc(void* handle, CHANGEVOLPROC proc) {
    if (handle) sessionOf(handle)->ChangeVolume = proc;
}

void KV_RAR_CALL SetProcessDataProc(void* handle, PROCESSDATAPROC proc) {
    if (handle) sessionOf(handle)->ProcessData = proc;
}

}  // namespace kv::rar
