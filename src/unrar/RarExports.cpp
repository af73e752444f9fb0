// The library's exported functions, over the machine's own files.
#include "unrar/RarHandles.h"

extern "C" {

void* KV_RAR_CALL RAROpenArchive(RAROpenArchiveData* data) {
    return kv::rar::OpenArchive(data, [] { return kv::MakeSystemFileSystem(); });
}

int KV_RAR_CALL RARCloseArchive(void* handle) { return kv::rar::CloseArchive(handle); }

int KV_RAR_CALL RARReadHeader(void* handle, RARHeaderData* data) { return kv::rar::ReadHeader(handle, data); }

int KV_RAR_CALL RARProcessFile(void* handle, int operation, char* destPath, char* destName) {
    return kv::rar::ProcessFile(handle, operation, destPath, destName);
}

void KV_RAR_CALL RARSetChangeVolProc(void* handle, CHANGEVOLPROC proc) { kv::rar::SetChangeVolProc(handle, proc); }

void KV_RAR_CALL RARSetProcessDataProc(void* handle, PROCESSDATAPROC proc) { kv::rar::SetProcessDataProc(handle, proc); }

}  // extern "C"
