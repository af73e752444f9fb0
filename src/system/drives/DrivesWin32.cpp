#include "system/drives/Drives.h"

#include <windows.h>
#include <winioctl.h>

#include <vector>

#include "base/CatalogDate.h"

#include "system/drives/DriveGeometry.h"
#include "system/files/FileQueriesWin32.h"
#include "system/files/QuietErrorsWin32.h"
#include "system/drives/VolumeLabelCase.h"
#include "system/drives/VolumeHandleWin32.h"

namespace kv {

namespace {

std::string rootOf(char letter) { return std::string(1, letter) + ":\\"; }

std::uint8_t floppyKindOf(char letter) {
    VolumeHandle volume = VolumeHandle::open(letter, 0);
    if (!volume)
        return MediaType::Unknown;
    DISK_GEOMETRY geometries[32];
    DWORD bytes = 0;
    if (!DeviceIoControl(volume.get(), IOCTL_DISK_GET_MEDIA_TYPES, nullptr, 0, geometries, sizeof geometries, &bytes,
                         nullptr))
        return MediaType::Unknown;
    std::vector<std::uint32_t> types;
    for (DWORD i = 0; i < bytes / sizeof(DISK_GEOMETRY); ++i)
        types.push_back(static_cast<std::uint32_t>(geometries[i].MediaType));
    return MediaTypeFromNtMediaTypes(types);
}

// The storage driver's product identifier recognises ZIP and JAZ drives.
std::uint8_t removableKindOf(char letter) {
    VolumeHandle volume = VolumeHandle::open(letter, 0);
    if (!volume)
        return MediaType::Removable;
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    std::vector<std::uint8_t> buffer(1024);
    DWORD bytes = 0;
    if (!DeviceIoControl(volume.get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, buffer.data(),
                         static_cast<DWORD>(buffer.size()), &bytes, nullptr) ||
        bytes < sizeof(STORAGE_DEVICE_DESCRIPTOR))
        return MediaType::Removable;
    const auto* desc = reinterpret_cast<const STORAGE_DEVICE_DESCRIPTOR*>(buffer.data());
    const DWORD at = desc->ProductIdOffset;
    if (at == 0 || at >= bytes)
        return MediaType::Removable;
    const char* text = reinterpret_cast<const char*>(buffer.data() + at);
    std::size_t len = 0;
    while (at + len < bytes && text[len] != '\0')
        ++len;
    return MediaTypeFromScsiProduct(std::string_view(text, len));
}

}  // namespace

MediaTypeCache& SharedMediaTypes() {
    static MediaTypeCache cache;
    return cache;
}

std::uint8_t GetMediaType(char letter) {
    if (DriveIndex(letter) < 0)
        return MediaType::Unknown;
    std::uint8_t code = MediaType::Unknown;
    const UINT driveType = GetDriveTypeA(rootOf(letter).c_str());
    switch (driveType) {
    case DRIVE_FIXED: code = MediaType::HardDisk; break;
    case DRIVE_REMOTE: code = MediaType::Network; break;
    case DRIVE_CDROM: code = MediaType::CdRom; break;
    case DRIVE_RAMDISK: code = MediaType::RamDisk; break;
    default: {
        code = SharedMediaTypes().get(letter);
        if (code != MediaType::Unknown)
            return code;
        QuietErrors quiet;
        code = floppyKindOf(letter);
        if (driveType == DRIVE_REMOVABLE && !IsFloppy(code))
            code = removableKindOf(letter);
    }
    }
    SharedMediaTypes().set(letter, code);
    return code;
}

bool GetDriveSpace(TDriveInfo& info, bool skipQuery) {
    bool answered = false;
    if (!skipQuery) {
        QuietErrors quiet;
        const std::string root = rootOf(info.letter);
        ULARGE_INTEGER available{}, total{}, free{};
        const bool sized = DiskFreeSpace(root, &available, &total, &free);
        DWORD spc = 0, bps = 0, freeClusters = 0, totalClusters = 0;
        answered = GetDiskFreeSpaceA(root.c_str(), &spc, &bps, &freeClusters, &totalClusters);
        if (sized) {
            info.totalBytes = static_cast<std::int64_t>(total.QuadPart);
            info.freeBytes = static_cast<std::int64_t>(free.QuadPart);
        } else if (answered) {
            const std::uint64_t cluster = std::uint64_t{spc} * bps;
            info.totalBytes = static_cast<std::int64_t>(cluster * totalClusters);
            info.freeBytes = static_cast<std::int64_t>(cluster * freeClusters);
        }
        if (answered && info.fileSystem != "CDFS") {
            info.bytesPerSector = bps;
            info.sectorsPerCluster = spc;
            info.totalClusters = totalClusters;
            info.freeClusters = freeClusters;
            return true;
        }
    }
    MakeUpGeometry(info);
    return answered;
}

TDriveInfo ReadVolumeInfo(char letter) {
    TDriveInfo info;
    info.letter = letter;
    char label[33] = {};
    char fileSystem[9] = {};
    DWORD serial = 0, maxLength = 0, flags = 0;
    std::optional<RawVolumeInfo> raw;
    {
        QuietErrors quiet;
        if (GetVolumeInformationA(rootOf(letter).c_str(), label, sizeof label, &serial, &maxLength, &flags, fileSystem,
                                  sizeof fileSystem))
            raw = RawVolumeInfo{label, fileSystem, serial, maxLength, flags};
    }
    ApplyVolumeInfo(info, raw);
    GetDriveSpace(info, false);
    return info;
}

std::uint32_t LogicalDrives() { return GetLogicalDrives(); }

bool CheckDriveReady(char letter) {
    QuietErrors quiet;
    ULARGE_INTEGER available{}, total{}, free{};
    return DiskFreeSpace(rootOf(letter), &available, &total, &free);
}

double CatalogNow() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return toCatalogDate({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond});
}

}  // namespace kv
