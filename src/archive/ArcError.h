#pragma once
// The archive library's one exception and the message numbers it carries.
#include <string>
#include <string_view>

#include "base/Errors.h"

namespace kv::arc {

// Message numbers; the texts are in ArcMessage().
enum ArcErrorId : int {
    eBadFileHeader = 25108,
    eBadBlock = 25109,
    eBadHuffmanCode = 25110,
    eInvalidCode = 25111,
    eInvalidCommentHeader = 25112,
    eIncorrectBits = 25113,
    eWriteError = 25114,
    eCloseError = 25115,
    eIncompleteCodeSet = 25116,
    eCrcFailed = 25117,
    eInvalidDecodeTree = 25118,
    eDiskFull = 25125,
    eFileNotFound = 25132,
    eOpenError = 25134,
    eReadError = 25135,
    eHeaderCrc = 25136,
    eHeaderId = 25137,
    eWrongArchiveType = 25138,
    eInvalidFileName = 25139,
    eBadLengths = 25140,
    eInconsistentLocalHeader = 25145,
    eLzxNotSupported = 25148,
    eMaxVolumes = 25150,
    eOutOfMemory = 25153,
    eNoCentralHeader = 25157,
    eMultiPartGzip = 25162,
    eTooManyNestedDirs = 25163,
    eNoOnRead = 25171,
    eNoOnPassword = 25172,
    ePasswordProtected = 25190,
    eSeekError = 25191,
    eAmbiguousTree = 25192,
    eStackOverflow = 25196,
    eArchiveReadError = 25197,  // no text of its own: only the extraction's message names it
    eUnsupportedMethod = 25200,
    eUnknownFileType = 25202,
    eUnsupportedVersion = 25204,
    eVersionError = 25302,
    eRarLibraryMissing = 25303,
    eNextVolume = 25903,
    eInvalidPassword = 26517,
    ePasswordFailed = 26522,
    eSkippedFile = 26900,
    eNothingToDo = 26999,
};

// Errors lie in this range; the numbers above it are notices (volumes, passwords, skips).
constexpr int kFirstErrorId = 25100;
constexpr int kLastErrorId = 25899;

// The text of a message number; an unknown number gives "Error <number>".
std::string ArcMessage(int id);

class E_RAISE : public Error {
public:
    explicit E_RAISE(int id) : Error(ArcMessage(id)), id_(id) {}
    int id() const { return id_; }

private:
    int id_;
};

}  // namespace kv::arc
