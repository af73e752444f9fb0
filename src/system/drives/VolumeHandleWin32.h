#pragma once
// An open volume device ("\\.\X:") and the volume calls made on it.
#include <windows.h>

#include <cstdint>

namespace kv {

class VolumeHandle {
public:
    VolumeHandle() = default;
    ~VolumeHandle() { reset(); }
    VolumeHandle(VolumeHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = INVALID_HANDLE_VALUE; }
    VolumeHandle& operator=(VolumeHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = other.handle_;
            other.handle_ = INVALID_HANDLE_VALUE;
        }
        return *this;
    }
    VolumeHandle(const VolumeHandle&) = delete;
    VolumeHandle& operator=(const VolumeHandle&) = delete;

    // access 0 asks the device only; other programs may keep it open meanwhile.
    static VolumeHandle open(char letter, DWORD access);

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    void reset();

    // A control code without input or output.
    bool control(DWORD code) const;
    // Locks the volume, trying `tries` times 100 ms apart.
    bool lock(int tries) const;
    bool unlock() const;
    // The sector size from the drive's geometry; 0 when unknown.
    std::uint32_t sectorSize() const;

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace kv
