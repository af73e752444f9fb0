#include "unrar/RarSession.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <vector>

#include "archive/Checksum.h"
#include "archive/SafePath.h"

namespace kv::rar {

using arc::RarBlock;

namespace {

constexpr std::uint8_t kStored = 0x30;
constexpr int kCancelled = -1;
constexpr std::size_t kPiece = 65536;

void copyText(char (&to)[260], const std::string& from) {
    std::size_t n = std::min<std::size_t>(from.size(), sizeof to - 1);
    std::memcpy(to, from.data(), n);
    to[n] = '\0';
}

unsigned clamp32(std::uint64_t v) { return static_cast<unsigned>(std::min<std::uint64_t>(v, 0xFFFFFFFFu)); }

std::string folderOf(const std::string& path) {
    std::size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Where the marker is: at the start, or after a self-extractor's program within its
// first mebibyte, followed by a sound main header.
std::optional<std::uint64_t> FindArchiveStart(arc::ArcInput& in) {
    BoundedReader head = in.Upto(0, arc::ArcInput::kMaxRecord);
    auto bytes = head.bytes(head.size());
    std::vector<std::uint8_t> window(bytes.begin(), bytes.end());
    const std::uint8_t* begin = window.data();
    const std::uint8_t* end = begin + window.size();
    for (const std::uint8_t* p = begin; (p = std::search(p, end, arc::kRarMarker, arc::kRarMarker + 7)) != end; ++p) {
        std::uint64_t at = static_cast<std::uint64_t>(p - begin);
        if (at == 0) return at;
        try {
            RarBlock main = arc::ReadRarBlock(in, at + 7);
            if (main.type == arc::kRarMainHeader && arc::RarHeaderCrcMatches(in, at + 7, main)) return at;
        } catch (const Error&) {
        }
    }
    return std::nullopt;
}

// Where the block at pos ends, its data included; nullopt when that lies past the
// end of the file (a 64-bit size could otherwise wrap round to the same block).
std::optional<std::uint64_t> blockEnd(arc::ArcInput& in, std::uint64_t pos, const RarBlock& b) {
    const std::uint64_t size = in.Size();
    if (pos > size || b.headSize > size - pos || b.dataSize > size - pos - b.headSize) return std::nullopt;
    return pos + b.headSize + b.dataSize;
}

// Whether a whole block's fixed part fits between pos and the end of the file.
bool blockFits(arc::ArcInput& in, std::uint64_t pos) { return pos <= in.Size() && in.Size() - pos >= 7; }

}  // namespace

std::string NextRarVolumeName(const std::string& name, bool newNaming) {
    std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || name.find_first_of("\\/", dot) != std::string::npos) return {};
    std::string stem = name.substr(0, dot);
    std::string ext = name.substr(dot + 1);
    if (newNaming) {
        std::size_t end = stem.size();
        std::size_t begin = end;
        while (begin > 0 && isDigit(stem[begin - 1])) --begin;
        if (begin < end) {
            std::size_t i = end;
            while (i > begin) {
                --i;
                if (stem[i] != '9') {
                    ++stem[i];
                    return stem + '.' + ext;
                }
                stem[i] = '0';
            }
            stem.insert(begin, 1, '1');
            return stem + '.' + ext;
        }
    }
    // A self-extractor's volumes go on as ".r00".
    if (ext.size() != 3 || !isDigit(ext[1]) || !isDigit(ext[2]))
        return stem + '.' + (!ext.empty() && ext[0] == 'R' ? 'R' : 'r') + "00";
    int number = (ext[1] - '0') * 10 + (ext[2] - '0') + 1;
    char letter = ext[0];
    if (number == 100) {
        if (letter == 'z' || letter == 'Z') return {};
        ++letter;
        number = 0;
    }
    return stem + '.' + letter + static_cast<char>('0' + number / 10) + static_cast<char>('0' + number % 10);
}

RarSession::RarSession(std::unique_ptr<IFileSystem> fileSystem) : fs_(std::move(fileSystem)) {}

int RarSession::Open(const std::string& archiveName) {
    int r = OpenVolume(archiveName, newNaming_);
    if (r == kSuccess) volume_ = archiveName;
    return r;
}

int RarSession::OpenVolume(const std::string& name, bool& newNaming) {
    try {
        auto input = std::make_unique<arc::ArcInput>(fs_->OpenRead(name));
        std::optional<std::uint64_t> start = FindArchiveStart(*input);
        if (!start) return kUnknownFormat;
        std::uint64_t mainPos = *start + 7;
        RarBlock main = arc::ReadRarBlock(*input, mainPos);
        if (main.type != arc::kRarMainHeader || !arc::RarHeaderCrcMatches(*input, mainPos, main)) return kBadArchive;
        if (main.flags & arc::kRarMainHeadersEncrypted) return kMissingPassword;
        std::optional<std::uint64_t> end = blockEnd(*input, mainPos, main);
        if (!end) return kBadArchive;
        newNaming = (main.flags & arc::kRarMainNewNaming) != 0;
        pos_ = *end;
        in_ = std::move(input);
        volume_ = name;
        return kSuccess;
    } catch (const EIoError&) {
        return kOpenFailed;
    } catch (const Error&) {
        return kBadArchive;
    }
}

int RarSession::ReadHeader(RARHeaderData& out) {
    if (havePending_) {
        int r = ProcessFile(kSkip, nullptr, nullptr);
        if (r != kSuccess) return r;
    }
    try {
        while (blockFits(*in_, pos_)) {
            RarBlock b = arc::ReadRarBlock(*in_, pos_);
            if (b.type == arc::kRarEndOfArchive) break;
            std::optional<std::uint64_t> end = blockEnd(*in_, pos_, b);
            if (!end) return kBadArchive;
            std::uint64_t data = pos_ + b.headSize;
            if (b.type == arc::kRarFileHeader && !(b.flags & arc::kRarFromPreviousVolume)) {
                if (!arc::RarHeaderCrcMatches(*in_, pos_, b)) return kBadData;
                pending_ = b;
                havePending_ = true;
                dataPos_ = data;
                pos_ = *end;

                const arc::RarFileFields& f = b.file;
                char* cmtBuf = out.CmtBuf;
                unsigned cmtBufSize = out.CmtBufSize;
                out = RARHeaderData{};
                out.CmtBuf = cmtBuf;
                out.CmtBufSize = cmtBufSize;
                copyText(out.ArcName, volume_);
                copyText(out.FileName, f.name);
                out.Flags = b.flags;
                out.PackSize = clamp32(f.packed);
                out.UnpSize = clamp32(f.unpacked);
                out.HostOS = f.hostOs;
                out.FileCRC = f.crc;
                out.FileTime = f.stamp;
                out.UnpVer = f.unpackVersion;
                out.Method = f.method;
                out.FileAttr = f.attributes;
                return kSuccess;
            }
            pos_ = *end;
        }
        return kEndArchive;
    } catch (const Error&) {
        return kBadArchive;
    }
}

int RarSession::Target(const char* destPath, const char* destName, std::string& path) const {
    arc::SafeTarget t;
    if (destName && *destName) {
        std::string full = destName;
        std::string folder = folderOf(full);
        t = arc::SafeTargetPath(folder, full.substr(folder.size()), false);
    } else {
        t = arc::SafeTargetPath(destPath ? destPath : "", pending_.file.name, true);
    }
    if (!t) return kCreateFailed;
    path = t.path;
    return kSuccess;
}

int RarSession::ProcessFile(int operation, const char* destPath, const char* destName) {
    if (!havePending_) return kBadArchive;
    havePending_ = false;
    const std::uint16_t flags = pending_.flags;
    const bool folder = pending_.file.IsFolder(flags);
    if (operation != kExtract && operation != kTest) return SkipRest();
    if (!folder && (flags & arc::kRarEncrypted)) {
        int r = SkipRest();
        return r == kSuccess ? kMissingPassword : r;
    }
    if (!folder && pending_.file.method != kStored) {
        int r = SkipRest();
        return r == kSuccess ? kUnsupportedMethod : r;
    }

    std::string path;
    std::unique_ptr<kv::ByteSink> out;
    if (operation == kExtract) {
        if (int r = Target(destPath, destName, path); r != kSuccess) {
            int s = SkipRest();
            return s == kSuccess ? r : s;
        }
        try {
            if (folder) {
                fs_->CreateFolderChain(path);
                return kSuccess;
            }
            std::string parent = folderOf(path);
            if (!parent.empty()) fs_->CreateFolderChain(parent.substr(0, parent.size() - 1));
            out = fs_->OpenOutput(path);
        } catch (const Error&) {
            int s = SkipRest();
            return s == kSuccess ? kCreateFailed : s;
        }
    } else if (folder) {
        return kSuccess;
    }

    std::uint32_t crc = 0xFFFFFFFFu;
    int r = CopyMember(out.get(), true, crc);
    if (out) {
        // The last buffered bytes reach the disk only at close: a full disk shows here.
        try {
            out->close();
        } catch (const Error&) {
            if (r == kSuccess) r = kCloseFailed;
        }
        out.reset();
        if (r == kCancelled || r == kReadFailed || r == kOpenFailed || r == kCloseFailed) fs_->Remove(path);
    }
    if (r == kCancelled) return kUnknown;
    if (r != kSuccess) return r;
    if (~crc != pending_.file.crc) return kBadData;
    if (!path.empty()) fs_->SetDosDate(path, pending_.file.stamp);
    return kSuccess;
}

int RarSession::SkipRest() {
    std::uint32_t crc = 0;
    return CopyMember(nullptr, false, crc);
}

int RarSession::CopyMember(kv::ByteSink* out, bool notify, std::uint32_t& crc) {
    std::uint64_t left = pending_.file.unpacked;
    const bool reading = out || notify;
    std::vector<std::uint8_t> buffer(reading ? kPiece : 0);
    for (;;) {
        std::uint64_t pos = dataPos_;
        std::uint64_t end = dataPos_ + pending_.dataSize;
        while (reading && pos < end) {
            std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, end - pos));
            if (in_->Source().readAt(pos, buffer.data(), n) != n) return kReadFailed;
            pos += n;
            // A stored member is never longer than it says.
            if (n > left) return kBadData;
            left -= n;
            crc = arc::Crc32Update(crc, std::span<const std::uint8_t>(buffer.data(), n));
            if (out) {
                try {
                    out->write(buffer.data(), n);
                } catch (const Error&) {
                    return kWriteFailed;
                }
            }
            if (notify && ProcessData && ProcessData(buffer.data(), static_cast<int>(n)) <= 0) return kCancelled;
        }
        if (!(pending_.flags & arc::kRarToNextVolume)) return kSuccess;
        if (int r = NextVolume(); r != kSuccess) return r;
    }
}

int RarSession::NextVolume() {
    std::string name = NextRarVolumeName(volume_, newNaming_);
    if (name.empty()) return kOpenFailed;
    bool asked = false;
    for (;;) {
        if (fs_->Exists(name)) {
            bool ignored = false;
            if (int r = OpenVolume(name, ignored); r != kSuccess) return r;
            if (ChangeVolume) {
                char buffer[260];
                copyText(buffer, name);
                if (ChangeVolume(buffer, kVolumeNotify) <= 0) return kCancelled;
            }
            break;
        }
        // Asked once: a volume still missing after that is given up, not asked forever.
        if (asked || !ChangeVolume) return kOpenFailed;
        char buffer[260];
        copyText(buffer, name);
        if (ChangeVolume(buffer, kVolumeAsk) <= 0) return kOpenFailed;
        name.assign(buffer, strnlen(buffer, sizeof buffer - 1));
        asked = true;
    }
    try {
        if (!blockFits(*in_, pos_)) return kBadArchive;
        RarBlock b = arc::ReadRarBlock(*in_, pos_);
        std::optional<std::uint64_t> end = blockEnd(*in_, pos_, b);
        if (!end) return kBadArchive;
        if (b.type != arc::kRarFileHeader || !(b.flags & arc::kRarFromPreviousVolume) ||
            b.file.name != pending_.file.name)
            return kBadArchive;
        if (!arc::RarHeaderCrcMatches(*in_, pos_, b)) return kBadData;
        std::uint64_t unpacked = pending_.file.unpacked;
        pending_ = b;
        pending_.file.unpacked = unpacked;
        dataPos_ = pos_ + b.headSize;
        pos_ = *end;
        return kSuccess;
    } catch (const Error&) {
        return kBadArchive;
    }
}

}  // namespace kv::rar
