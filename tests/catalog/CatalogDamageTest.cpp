// Damaged and hostile catalog files: each gives the reader's message or the file-list
// recovery, never a crash, an overrun or an allocation sized by a stored number.
#include <gtest/gtest.h>

#include <functional>

#include "LoadFixtures.h"
#include "base/Errors.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/file/CatalogWrite.h"
#include "tests/support/ScriptedPrompt.h"

namespace kv {
namespace {

constexpr const char* kStructure = "Internal catalog structure error detected.";
constexpr const char* kRecovered = "recovered";

// Opens and loads every folder and file list: "ok", "recovered" (a list was cut short),
// or the message of the EInvalidCatalog that stopped it.
std::string LoadEverything(std::vector<std::uint8_t> bytes) {
    ui::ScriptedPrompt prompt;
    Forest forest;
    try {
        Node* catalog = ReadCatalog(forest, test::load::MemoryReader(std::move(bytes), 64));
        for (const auto& disk : catalog->children()) LoadSubfolders(disk.get(), true, true, &prompt);
    } catch (const EInvalidCatalog& e) {
        return e.what();
    }
    return prompt.asked.empty() ? "ok" : kRecovered;
}

// Byte positions of the tree catalog's second disk.
struct Places {
    test::load::TreeCatalog t = test::load::MakeTreeCatalog();
    std::size_t sec = t.disk.sectionStart;
    std::size_t word(int w) const { return sec + 1 + 4 * static_cast<std::size_t>(w); }
    // A folder record's first byte and the start of its 39 fixed bytes.
    std::size_t folder(std::size_t i) const { return t.disk.folderRecords[i]; }
    std::size_t folderData(std::size_t i, std::size_t nameLength) const { return folder(i) + 4 + nameLength; }
};

TEST(CatalogDamage, EachKindOfDamageIsCaught) {
    using W = test::CatalogBytes::Word;
    struct Case {
        const char* what;
        std::function<void(test::CatalogBytes&, const Places&)> damage;
        const char* outcome;
    };
    const std::int32_t kHuge = 0x7FFFFFF0;
    const Case cases[] = {
        {"sound file", [](auto&, auto&) {}, "ok"},
        {"bad signature", [](auto& b, auto&) { b.patchU8(0, 'K'); }, "This is not a valid catalog file!"},
        {"disk kind", [](auto& b, auto& p) { b.patchU8(p.sec, 0x02); }, kStructure},
        {"folder kind", [](auto& b, auto& p) { b.patchU8(p.folder(0), 0x03); }, kStructure},
        {"deep folder kind", [](auto& b, auto& p) { b.patchU8(p.folder(2), 0x01); }, kStructure},
        {"section size 0", [](auto& b, auto& p) { b.patchI32(p.word(W::SectionSize), 0); }, kStructure},
        {"section size negative", [](auto& b, auto& p) { b.patchI32(p.word(W::SectionSize), -5); }, kStructure},
        {"section past the end", [](auto& b, auto& p) { b.patchI32(p.word(W::SectionSize), kHuge); }, kStructure},
        {"section one byte past the end",
         [](auto& b, auto& p) { b.patchI32(p.word(W::SectionSize), static_cast<std::int32_t>(b.size() - p.sec + 1)); },
         kStructure},
        {"tree offset negative", [](auto& b, auto& p) { b.patchI32(p.word(W::FolderTreeOffset), -1); }, kStructure},
        {"tree offset past the section",
         [](auto& b, auto& p) { b.patchI32(p.word(W::FolderTreeOffset), kHuge); }, kStructure},
        {"tree offset inside the section start",
         [](auto& b, auto& p) { b.patchI32(p.word(W::FolderTreeOffset), 3); }, kStructure},
        {"root list past the tree", [](auto& b, auto& p) { b.patchI32(p.word(W::RootListOffset), kHuge); }, kStructure},
        {"root list size negative", [](auto& b, auto& p) { b.patchI32(p.word(W::RootListSize), -7); }, kStructure},
        {"root count absurd", [](auto& b, auto& p) { b.patchI32(p.word(W::RootFileCount), kHuge); }, kStructure},
        {"root description bytes over the size",
         [](auto& b, auto& p) { b.patchI32(p.word(W::RootDescriptionBytes), 1000); }, kStructure},
        {"folder list offset past the tree",
         [](auto& b, auto& p) { b.patchI32(p.folderData(0, 1), kHuge); }, kStructure},
        {"folder list size negative", [](auto& b, auto& p) { b.patchI32(p.folderData(0, 1) + 4, -2); }, kStructure},
        {"folder count absurd", [](auto& b, auto& p) { b.patchI32(p.folderData(0, 1) + 8, kHuge); }, kStructure},
        {"deep folder count absurd",
         [](auto& b, auto& p) { b.patchI32(p.folderData(2, 3) + 8, 100000); }, kStructure},
        {"folder description bytes over the size",
         [](auto& b, auto& p) { b.patchI32(p.folderData(0, 1) + 12, kHuge); }, kStructure},
        {"depth 0", [](auto& b, auto& p) { b.patchU8(p.folder(0) + 1, 0); }, kStructure},
        {"first folder below the top", [](auto& b, auto& p) { b.patchU8(p.folder(0) + 1, 2); }, kStructure},
        {"depth jump", [](auto& b, auto& p) { b.patchU8(p.folder(2) + 1, 4); }, kStructure},
        {"folder name over 4096",
         [](auto& b, auto& p) { b.patchU8(p.folder(3) + 2, 0x01).patchU8(p.folder(3) + 3, 0x10); },
         "String data too long!"},
        {"folder name past the section",
         [](auto& b, auto& p) { b.patchU8(p.folder(4) + 2, 0xFF).patchU8(p.folder(4) + 3, 0x0F); }, kStructure},
        {"file name longer than its list",
         [](auto& b, auto& p) { b.patchU8(p.sec + static_cast<std::size_t>(p.t.disk.listOffsets[0]), 200); },
         kRecovered},
        {"file description over 4096",
         [](auto& b, auto& p) {
             const std::size_t rec = p.sec + static_cast<std::size_t>(p.t.disk.listOffsets[0]);
             b.patchU8(rec + 1 + 2 + 18, 0x01).patchU8(rec + 1 + 2 + 18 + 1, 0x10);
         },
         kRecovered},
        {"fewer files than counted",
         [](auto& b, auto& p) { b.patchI32(p.folderData(0, 1) + 8, 1); }, kRecovered},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Places p;
        c.damage(p.t.bytes, p);
        EXPECT_EQ(LoadEverything(p.t.bytes.bytes()), c.outcome);
    }
}

TEST(CatalogDamage, TruncationAtEveryByte) {
    const test::load::TreeCatalog t = test::load::MakeTreeCatalog();
    const auto& whole = t.bytes.bytes();
    // Whole catalogs end after the category block and after each disk.
    const std::size_t headEnd = 13 + 2 + 4 + 2 + 1;
    for (std::size_t n = 0; n < whole.size(); ++n) {
        SCOPED_TRACE(n);
        const std::string outcome = LoadEverything({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n)});
        if (n == headEnd || n == t.disk.sectionStart)
            EXPECT_EQ(outcome, "ok");
        else if (n < 13)
            EXPECT_EQ(outcome, "This is not a valid catalog file!");
        else
            EXPECT_EQ(outcome, kStructure);
    }
    EXPECT_EQ(LoadEverything(whole), "ok");
}

// A level damaged after its first folder: A1 reads, A2 does not (the open passes over both).
TEST(CatalogDamage, ALevelReadInPartStaysUnreadAndASaveCannotDropItsRest) {
    Places p;
    p.t.bytes.patchI32(p.folderData(3, 2), 0x7FFFFFF0);
    for (const bool recursive : {false, true}) {
        SCOPED_TRACE(recursive);
        Forest forest;
        Node* catalog = ReadCatalog(forest, test::load::MemoryReader(p.t.bytes.bytes()));
        Node* disk = catalog->children()[1].get();
        Node* a = disk->children()[0].get();
        ASSERT_EQ(a->text(), "A");
        // Every try meets the damage again; none leaves a part of the level behind.
        for (int attempt = 0; attempt < 2; ++attempt) {
            EXPECT_THROW(LoadSubfolders(recursive ? disk : a, recursive), EInvalidCatalog);
            EXPECT_TRUE(a->children().empty());
        }
        EXPECT_GT(static_cast<TFolderRec*>(a->record())->subfolderPos, 0);
        // A changed disk is written from memory: the save stops at the damage.
        static_cast<TDiskRec*>(disk->record())->changed = true;
        MemorySink sink;
        EXPECT_THROW(EncodeCatalog(*catalog, sink), EInvalidCatalog);
    }
}

}  // namespace
}  // namespace kv
