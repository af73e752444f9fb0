#pragma once
// The published interface of a RAR library "unrar.dll": its records, callbacks,
// codes and functions, laid out as every compatible library expects them. Shared
// by our own library and by the extractor that loads one at run time.
#include <cstdint>

#if defined(_WIN32)
#define KV_RAR_CALL __stdcall
#else
#define KV_RAR_CALL
#endif

extern "C" {

struct RAROpenArchiveData {
    char* ArcName;
    unsigned int OpenMode;
    unsigned int OpenResult;
    char* CmtBuf;
    unsigned int CmtBufSize;
    unsigned int CmtSize;
    unsigned int CmtState;
};

struct RARHeaderData {
    char ArcName[260];
    char FileName[260];
    unsigned int Flags;
    unsigned int PackSize;
    unsigned int UnpSize;
    unsigned int HostOS;
    unsigned int FileCRC;
    unsigned int FileTime;
    unsigned int UnpVer;
    unsigned int Method;
    unsigned int FileAttr;
    char* CmtBuf;
    unsigned int CmtBufSize;
    unsigned int CmtSize;
    unsigned int CmtState;
};

// Mode 0: the volume named is missing (the callback may rewrite the name, at most
// 259 characters); 1: it has been opened. Answer 1 to go on, 0 or less to stop.
typedef int(KV_RAR_CALL* CHANGEVOLPROC)(char* arcName, int mode);
// Each block written; answer 0 or less to stop.
typedef int(KV_RAR_CALL* PROCESSDATAPROC)(unsigned char* addr, int size);

typedef void* (KV_RAR_CALL* RAROpenArchiveFn)(RAROpenArchiveData* data);
typedef int(KV_RAR_CALL* RARCloseArchiveFn)(void* handle);
typedef int(KV_RAR_CALL* RARReadHeaderFn)(void* handle, RARHeaderData* data);
typedef int(KV_RAR_CALL* RARProcessFileFn)(void* handle, int operation, char* destPath, char* destName);
typedef void(KV_RAR_CALL* RARSetChangeVolProcFn)(void* handle, CHANGEVOLPROC proc);
typedef void(KV_RAR_CALL* RARSetProcessDataProcFn)(void* handle, PROCESSDATAPROC proc);

}  // extern "C"

namespace kv::rar {

enum RarOpenMode : unsigned { kOpenList = 0, kOpenExtract = 1 };
enum RarOperation : int { kSkip = 0, kTest = 1, kExtract = 2 };
enum RarVolumeMode : int { kVolumeAsk = 0, kVolumeNotify = 1 };

enum RarResult : int {
    kSuccess = 0,
    kEndArchive = 10,
    kNoMemory = 11,
    kBadData = 12,
    kBadArchive = 13,
    kUnknownFormat = 14,
    kOpenFailed = 15,
    kCreateFailed = 16,
    kCloseFailed = 17,
    kReadFailed = 18,
    kWriteFailed = 19,
    kSmallBuffer = 20,
    kUnknown = 21,
    kMissingPassword = 22,
    // Our own library's answer for a member packed with a method it cannot decode;
    // a complete library never gives it.
    kUnsupportedMethod = 100,
};

}  // namespace kv::rar
