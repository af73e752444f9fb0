#include "system/drives/VolumeHandleWin32.h"

#include <winioctl.h>

#include <string>

namespace kv {

VolumeHandle VolumeHandle::open(char letter, DWORD access) {
    const std::string device = std::string("\\\\.\\") + letter + ":";
    VolumeHandle v;
    v.handle_ = CreateFileA(device.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
    return v;
}

void VolumeHandle::reset() {
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

bool VolumeHandle::control(DWORD code) const {
    DWORD bytes = 0;
    return DeviceIoControl(handle_, code, nullptr, 0, nullptr, 0, &bytes, nullptr) != FALSE;
}

bool VolumeHandle::lock(int tries) const {
    for (int i = 0; i < tries; ++i) {
        if (control(FSCTL_LOCK_VOLUME))
            return true;
        Sleep(100);
    }
    return false;
}

bool VolumeHandle::unlock() const { return control(FSCTL_UNLOCK_VOLUME); }

std::uint32_t VolumeHandle::sectorSize() const {
    DISK_GEOMETRY geometry{};
    DWORD bytes = 0;
    if (!DeviceIoControl(handle_, IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &geometry, sizeof geometry, &bytes,
                         nullptr))
        return 0;
    return geometry.BytesPerSector;
}

}  // namespace kv
