#pragma once
// The library's functions over session handles, as the DLL exports them: no
// exception leaves them, every failure is a result code. The file system a session
// reads is the caller's, so the same functions also run over files in memory.
#include <functional>
#include <memory>

#include "archive/formats/RarApi.h"
#include "system/files/FileSystem.h"

namespace kv::rar {

using FileSystemMaker = std::function<std::unique_ptr<IFileSystem>()>;

void* KV_RAR_CALL OpenArchive(RAROpenArchiveData* data, const FileSystemMaker& files);
int KV_RAR_CALL CloseArchive(void* handle);
int KV_RAR_CALL ReadHeader(void* handle, RARHeaderData* data);
int KV_RAR_CALL ProcessFile(void* handle, int operation, char* destPath, char* destName);
void KV_RAR_CALL SetChangeVolProc(void* handle, CHANGEVOLPROC proc);
void KV_RAR_CALL SetProcessDataProc(void* handle, PROCESSDATAPROC proc);

}  // namespace kv::rar
