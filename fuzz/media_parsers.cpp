// The parsers of drive and registry data: boot sectors (classification and the
// serial patch over an image read in whole sectors), the stored window
// placement and the shell's icon locations. The patch may change the four
// serial bytes of a FAT boot sector and its backup, nothing else.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "system/drives/BootSectorSerial.h"
#include "controls/IconRules.h"
#include "ui/WindowPlacementRules.h"

namespace {

using namespace kv;

class ImageDevice : public SectorDevice {
public:
    ImageDevice(std::vector<std::uint8_t>& image, std::uint32_t size) : image_(image), size_(size) {}
    std::uint32_t sectorSize() const override { return size_; }
    bool readSector(std::uint32_t index, std::span<std::uint8_t> s) override {
        if (s.size() != size_ || (std::uint64_t{index} + 1) * size_ > image_.size())
            return false;
        std::copy_n(image_.begin() + std::ptrdiff_t(index) * size_, size_, s.begin());
        return true;
    }
    bool writeSector(std::uint32_t index, std::span<const std::uint8_t> s) override {
        if (s.size() != size_ || (std::uint64_t{index} + 1) * size_ > image_.size())
            std::abort();
        std::copy(s.begin(), s.end(), image_.begin() + std::ptrdiff_t(index) * size_);
        return true;
    }

private:
    std::vector<std::uint8_t>& image_;
    std::uint32_t size_;
};

bool inSerial(std::size_t i, std::size_t sectorSize) {
    const std::size_t at = i % sectorSize;
    return (at >= 39 && at < 43) || (at >= 67 && at < 71);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    ClassifyBootSector(bytes);
    DecodePlacement(bytes);
    ParseIconLocation(std::string_view(reinterpret_cast<const char*>(data), size));

    for (std::uint32_t sectorSize : {512u, 4096u}) {
        std::vector<std::uint8_t> image(bytes.begin(), bytes.end());
        ImageDevice device(image, sectorSize);
        PatchVolumeSerial(device, 0xA5A5A5A5);
        for (std::size_t i = 0; i < size; ++i)
            if (image[i] != data[i] && !inSerial(i, sectorSize))
                std::abort();
    }
    return 0;
}
