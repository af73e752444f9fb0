#include "system/drives/BootSectorSerial.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    Bytes b(in ? static_cast<std::size_t>(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(b.data()), std::streamsize(b.size()));
    return b;
}

Bytes fixture(const std::string& name) {
    Bytes b = readFile(std::string(KV_FIXTURES_DIR) + "/bootsectors/" + name);
    EXPECT_FALSE(b.empty()) << name;
    return b;
}

std::uint32_t u32At(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

// An image in memory, read and written in whole sectors; counts the writes.
class MemoryDevice : public SectorDevice {
public:
    MemoryDevice(Bytes image, std::uint32_t sectorSize) : image(std::move(image)), size_(sectorSize) {}
    std::uint32_t sectorSize() const override { return size_; }
    bool readSector(std::uint32_t index, std::span<std::uint8_t> sector) override {
        if (sector.size() != size_ || (std::uint64_t{index} + 1) * size_ > image.size())
            return false;
        std::copy_n(image.begin() + std::ptrdiff_t(index) * size_, size_, sector.begin());
        return true;
    }
    bool writeSector(std::uint32_t index, std::span<const std::uint8_t> sector) override {
        EXPECT_EQ(sector.size(), size_) << "partial sector written";
        if (failWrites || (std::uint64_t{index} + 1) * size_ > image.size())
            return false;
        std::copy(sector.begin(), sector.end(), image.begin() + std::ptrdiff_t(index) * size_);
        written.push_back(index);
        return true;
    }
    Bytes image;
    std::vector<std::uint32_t> written;
    bool failWrites = false;

private:
    std::uint32_t size_;
};

// Every byte outside the listed 4-byte fields is as before.
void expectOnlySerialsChanged(const Bytes& before, const Bytes& after, std::vector<std::size_t> serialAt) {
    ASSERT_EQ(before.size(), after.size());
    Bytes restored = after;
    for (std::size_t at : serialAt)
        std::copy_n(before.begin() + std::ptrdiff_t(at), 4, restored.begin() + std::ptrdiff_t(at));
    EXPECT_TRUE(restored == before);
}

TEST(BootSectorSerial, RealFatImagesAreRecognised) {
    EXPECT_EQ(ClassifyBootSector(fixture("fat12.img")), BootSectorKind::Fat12or16);
    EXPECT_EQ(ClassifyBootSector(fixture("fat16.img")), BootSectorKind::Fat12or16);
    const Bytes fat32 = fixture("fat32.img");
    EXPECT_EQ(ClassifyBootSector(std::span(fat32).first(512)), BootSectorKind::Fat32);
}

TEST(BootSectorSerial, OtherVolumesAndDamagedSectorsAreRefused) {
    for (const char* name : {"ntfs.img", "exfat.img", "ext2.img"}) {
        Bytes image = fixture(name);
        EXPECT_EQ(ClassifyBootSector(std::span(image).first(512)), BootSectorKind::Other) << name;
        MemoryDevice dev(image, 512);
        const SerialPatchResult r = PatchVolumeSerial(dev, 0x12345678);
        EXPECT_FALSE(r.ok) << name;
        EXPECT_FALSE(r.message.empty());
        EXPECT_TRUE(dev.written.empty()) << name;
        EXPECT_EQ(dev.image, image) << name;
    }
    const Bytes fat16 = fixture("fat16.img");
    auto damaged = [&](std::size_t at, std::uint8_t value) {
        Bytes b = fat16;
        b[at] = value;
        return ClassifyBootSector(b);
    };
    EXPECT_EQ(damaged(510, 0), BootSectorKind::Other);   // no boot signature
    EXPECT_EQ(damaged(38, 0x28), BootSectorKind::Other);  // short extended BPB: no serial field we trust
    EXPECT_EQ(damaged(12, 4), BootSectorKind::Other);    // claims 1024-byte sectors
    EXPECT_EQ(damaged(13, 3), BootSectorKind::Other);    // sectors per cluster not a power of two
    EXPECT_EQ(ClassifyBootSector(std::span(fat16).first(256)), BootSectorKind::Other);
    Bytes zeros(512);
    EXPECT_FALSE(PutBootSectorSerial(zeros, 1));
    EXPECT_EQ(zeros, Bytes(512));
}

TEST(BootSectorSerial, Fat12And16PatchOffset39Only) {
    for (const char* name : {"fat12.img", "fat16.img"}) {
        const Bytes before = fixture(name);
        MemoryDevice dev(before, 512);
        ASSERT_TRUE(PatchVolumeSerial(dev, 0xCAFEF00D).ok) << name;
        EXPECT_EQ(u32At(dev.image, 39), 0xCAFEF00Du);
        EXPECT_EQ(dev.written, std::vector<std::uint32_t>{0});
        expectOnlySerialsChanged(before, dev.image, {39});
    }
}

TEST(BootSectorSerial, Fat32PatchesOffset67AndTheBackup) {
    const Bytes before = fixture("fat32.img");
    ASSERT_EQ(before[50], 6);
    MemoryDevice dev(before, 512);
    ASSERT_TRUE(PatchVolumeSerial(dev, 0xCAFEF00D).ok);
    EXPECT_EQ(u32At(dev.image, 67), 0xCAFEF00Du);
    EXPECT_EQ(u32At(dev.image, 6 * 512 + 67), 0xCAFEF00Du);
    EXPECT_EQ(dev.written, (std::vector<std::uint32_t>{0, 6}));
    expectOnlySerialsChanged(before, dev.image, {67, 6 * 512 + 67});
}

TEST(BootSectorSerial, Fat32BackupThatIsNoCopyIsLeftAlone) {
    Bytes before = fixture("fat32.img");
    before[6 * 512 + 67] ^= 0xFF;  // the backup disagrees on the serial
    MemoryDevice dev(before, 512);
    ASSERT_TRUE(PatchVolumeSerial(dev, 1).ok);
    EXPECT_EQ(dev.written, std::vector<std::uint32_t>{0});

    Bytes outOfRange = fixture("fat32.img");
    outOfRange[50] = 0xFF;
    outOfRange[51] = 0xFF;
    MemoryDevice dev2(outOfRange, 512);
    ASSERT_TRUE(PatchVolumeSerial(dev2, 1).ok);
    EXPECT_EQ(dev2.written, std::vector<std::uint32_t>{0});
}

TEST(BootSectorSerial, DeviceSectorSizeMustMatchTheBootSector) {
    Bytes image = fixture("fat32.img");
    MemoryDevice dev(image, 4096);
    EXPECT_FALSE(PatchVolumeSerial(dev, 1).ok);
    EXPECT_TRUE(dev.written.empty());
    MemoryDevice tiny(image, 256);
    EXPECT_FALSE(PatchVolumeSerial(tiny, 1).ok);
    MemoryDevice failing(image, 512);
    failing.failWrites = true;
    EXPECT_FALSE(PatchVolumeSerial(failing, 1).ok);
}

// A whole image from the real tools: patched, it must stay clean for fsck.fat.
class FileDevice : public SectorDevice {
public:
    explicit FileDevice(const std::string& path) : file_(path, std::ios::in | std::ios::out | std::ios::binary) {}
    std::uint32_t sectorSize() const override { return 512; }
    bool readSector(std::uint32_t index, std::span<std::uint8_t> s) override {
        file_.seekg(std::streamoff(index) * 512);
        return bool(file_.read(reinterpret_cast<char*>(s.data()), std::streamsize(s.size())));
    }
    bool writeSector(std::uint32_t index, std::span<const std::uint8_t> s) override {
        file_.seekp(std::streamoff(index) * 512);
        return bool(file_.write(reinterpret_cast<const char*>(s.data()), std::streamsize(s.size())).flush());
    }

private:
    std::fstream file_;
};

TEST(BootSectorSerial, PatchedWholeImagesPassFsck) {
#ifdef _WIN32
    GTEST_SKIP() << "needs the host's dosfstools";
#endif
    if (std::system("command -v mkfs.fat >/dev/null 2>&1 && command -v fsck.fat >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "dosfstools not installed";
    test::TempDir dir;
    struct Case {
        const char* fat;
        const char* kib;
    };
    for (const Case& c : {Case{"12", "1440"}, Case{"16", "16384"}, Case{"32", "65536"}}) {
        const std::string image = dir.file(std::string("fat") + c.fat + ".img");
        const std::string make = std::string("mkfs.fat --invariant -F ") + c.fat + " -C '" + image + "' " + c.kib +
                                 " >/dev/null";
        ASSERT_EQ(std::system(make.c_str()), 0) << make;
        const Bytes before = readFile(image);
        {
            FileDevice dev(image);
            ASSERT_TRUE(PatchVolumeSerial(dev, 0x0BADCAFE).ok) << c.fat;
        }
        const Bytes after = readFile(image);
        const bool fat32 = std::string(c.fat) == "32";
        expectOnlySerialsChanged(before, after, fat32 ? std::vector<std::size_t>{67, 6 * 512 + 67}
                                                      : std::vector<std::size_t>{39});
        EXPECT_EQ(u32At(after, fat32 ? 67 : 39), 0x0BADCAFEu);
        EXPECT_EQ(std::system(("fsck.fat -n '" + image + "' >/dev/null").c_str()), 0) << c.fat;
    }
}

}  // namespace
}  // namespace kv
