#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "base/Errors.h"
#include "catalog/model/Forest.h"
#include "catalog/model/ItemRecords.h"
#include "scan/DescExport.h"
#include "tests/scan/HostPaths.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Remembers the attributes each file was last given.
class AttributeLog : public test::HostPathFileSystem {
public:
    using HostPathFileSystem::HostPathFileSystem;
    bool SetAttributes(const std::string& p, std::uint32_t a) override {
        given[fs::path(test::Host(p)).filename().string()] = a;
        return HostPathFileSystem::SetAttributes(p, a);
    }
    std::map<std::string, std::uint32_t> given;
};

// Catalog > disk "D" > folder "docs" (described) > folder "inner"; files in docs.
struct ExportFixture : ::testing::Test {
    test::ScratchFolder scratch;
    AttributeLog files{scratch};
    Forest forest;
    Node* disk = nullptr;
    Node* docs = nullptr;
    Node* inner = nullptr;
    std::string root = scratch.file("medium");

    ExportFixture() {
        Node& cat = forest.addRoot("Cat");
        (void)cat.setRecord(std::make_unique<TCatalogRec>());
        disk = &forest.addChild(cat, "D");
        (void)disk->setRecord(std::make_unique<TDiskRec>());
        docs = &folder(*disk, "docs", "The documents");
        inner = &folder(*docs, "inner", "");
        auto& rec = *RecordAs<TFolderRec>(docs->record());
        SetFlag(rec.flags, ItemFlags::HasDescriptions, true);
        rec.addFile(MakeFileRec("a.txt")).description.assign("About a");
        rec.addFile(MakeFileRec("my file.txt")).description.assign("Spaced\r\nsecond");
        rec.addFile(MakeFileRec("plain.txt"));
        fs::create_directories(root + "/docs/inner");
    }

    Node& folder(Node& parent, std::string name, std::string description) {
        Node& n = forest.addChild(parent, std::move(name));
        auto rec = std::make_unique<TFolderRec>();
        rec->description = std::move(description);
        (void)n.setRecord(std::move(rec));
        return n;
    }

    ExportOptions options(DescFileFormat format) {
        ExportOptions o;
        o.format = format;
        o.mediumRoot = root;
        return o;
    }
};

TEST_F(ExportFixture, DescriptIonKeepsOrReplacesExistingEntries) {
    WriteText(root + "/docs/Descript.ion", "a.txt Old text for a\r\nzz.txt Left over\r\nbroken\r\n");
    auto o = options(DescFileFormat::DescriptIon);
    DescriptionExporter(files, o).exportNode(*docs);
    const std::string spaced = "\"my file.txt\" Spaced" + std::string(34, ' ') + " second\r\n";
    EXPECT_EQ(ReadText(root + "/docs/Descript.ion"), "a.txt Old text for a\r\n" + spaced + "zz.txt Left over\r\n");

    o.keepExisting = false;
    DescriptionExporter(files, o).exportNode(*docs);
    EXPECT_EQ(ReadText(root + "/docs/Descript.ion"),
              std::string("a.txt About a\r\n\"my file.txt\" Spaced") + std::string(34, ' ') +
                  " second\r\nzz.txt Left over\r\n");
    // Only the target remains: no temporary file is left behind.
    EXPECT_EQ(scratch.list(root + "/docs").size(), 1u);
    // A DESCRIPT.ION is left hidden and marked for backup.
    EXPECT_EQ(files.given["Descript.ion"], kAttrHidden | kAttrArchive);
}

TEST_F(ExportFixture, SubfoldersAndFolderEntriesAndNothingToWrite) {
    auto o = options(DescFileFormat::FilesBbs);
    o.subfolders = true;
    // Only lines that are no entries: nothing is left to write.
    WriteText(root + "/docs/inner/Files.bbs", "short\r\n  indented\r\n");
    o.keepExisting = false;
    RecordAs<TFolderRec>(inner->record())->description.clear();
    DescriptionExporter(files, o).exportNode(*disk);
    EXPECT_EQ(ReadText(root + "/Files.bbs"), "docs         The documents\r\n");
    EXPECT_EQ(ReadText(root + "/docs/Files.bbs"),
              "a.txt        About a\r\nmy file.txt  Spaced\r\n             second\r\n");
    // A file with nothing to write goes.
    EXPECT_FALSE(fs::exists(root + "/docs/inner/Files.bbs"));
}

TEST_F(ExportFixture, FailedWriteLeavesTheOldFileIntact) {
    const std::string old = "a.txt Precious\r\n";
    WriteText(root + "/docs/Descript.ion", old);
    files.failAtWrite = 0;
    auto o = options(DescFileFormat::DescriptIon);
    o.keepExisting = false;
    EXPECT_THROW(DescriptionExporter(files, o).exportNode(*docs), EIoError);
    EXPECT_EQ(ReadText(root + "/docs/Descript.ion"), old);
    EXPECT_EQ(scratch.list(root + "/docs").size(), 1u);

    files.failAtWrite.reset();
    files.fault = [](test::FaultyFileSystem::Call call, const std::string&, const std::string&) {
        return call == test::FaultyFileSystem::Call::Move ? std::optional(FsStatus::AccessDenied) : std::nullopt;
    };
    EXPECT_THROW(DescriptionExporter(files, o).exportNode(*docs), EIoError);
    EXPECT_EQ(ReadText(root + "/docs/Descript.ion"), old);
    EXPECT_EQ(scratch.list(root + "/docs").size(), 1u);
}

TEST_F(ExportFixture, VirtualDiskWritesUnderItsRoot) {
    auto& d = *RecordAs<TDiskRec>(disk->record());
    SetFlag(d.flags, ItemFlags::VirtualDisk, true);
    d.virtualPath = "\\virt\\";
    fs::create_directories(root + "/virt/docs");
    DescriptionExporter(files, options(DescFileFormat::DescriptIon)).exportNode(*docs);
    EXPECT_TRUE(fs::exists(root + "/virt/docs/Descript.ion"));
    EXPECT_FALSE(fs::exists(root + "/docs/Descript.ion"));
}

TEST_F(ExportFixture, FileIdDizOnlyForDescribedFoldersAndKeptWhenAsked) {
    auto o = options(DescFileFormat::FileIdDiz);
    o.subfolders = true;
    DescriptionExporter(files, o).exportNode(*docs);
    EXPECT_EQ(ReadText(root + "/docs/File_id.diz"), "The documents\r\n");
    EXPECT_FALSE(fs::exists(root + "/docs/inner/File_id.diz"));

    RecordAs<TFolderRec>(docs->record())->description = "Changed";
    DescriptionExporter(files, o).exportNode(*docs);
    EXPECT_EQ(ReadText(root + "/docs/File_id.diz"), "The documents\r\n");
    o.keepExisting = false;
    DescriptionExporter(files, o).exportNode(*docs);
    EXPECT_EQ(ReadText(root + "/docs/File_id.diz"), "Changed\r\n");
}

}  // namespace
}  // namespace kv
