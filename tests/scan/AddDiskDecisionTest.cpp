#include <gtest/gtest.h>

#include "scan/AddDiskDecision.h"
#include "scan/DiskMatching.h"
#include "scan/DiskSelectOrder.h"
#include "system/drives/MediaTypes.h"
#include "tests/scan/ScanTree.h"
#include "tests/support/ScriptedPrompt.h"

namespace kv {
namespace {

using ui::PromptAnswer;

struct Disks {
    Forest forest;
    Node& cat = test::NewCatalog(forest);

    Node& disk(const std::string& name, std::uint32_t serial, std::uint32_t total, std::uint8_t flags = 0,
               const std::string& root = "") {
        Node& n = forest.addChild(cat, name);
        auto rec = std::make_unique<TDiskRec>();
        rec->volume.serialNumber = serial;
        rec->volume.totalClusters = total;
        rec->volume.bytesPerSector = 512;
        rec->volume.sectorsPerCluster = 1;
        rec->volume.mediaType = MediaType::Removable;
        rec->label = "LABEL";
        rec->flags |= flags;
        rec->virtualPath = root;
        (void)n.setRecord(std::move(rec));
        return n;
    }
};

TEST(DiskMatching, CandidatesByIdentityRootAndCapacity) {
    Disks d;
    Node& same = d.disk("same", 7, 1000);
    d.disk("other serial", 8, 1000);
    d.disk("other size", 7, 999);
    Node& packed = d.disk("compressed", 7, 5, ItemFlags::Archive);
    Node& virt = d.disk("virtual", 7, 1000, ItemFlags::VirtualDisk, "\\games\\");
    d.disk("other root", 7, 1000, ItemFlags::VirtualDisk, "\\music\\");
    TDiskRec medium;
    medium.volume.serialNumber = 7;
    medium.volume.totalClusters = 1000;
    medium.volume.bytesPerSector = 512;
    medium.volume.sectorsPerCluster = 1;
    medium.volume.mediaType = MediaType::Zip100;
    medium.label = "LABEL";

    MediumChoice choice{&medium, 'E', "", nullptr};
    EXPECT_EQ(FindMatchingDisks(d.cat, choice), (std::vector<Node*>{&same, &packed}));
    choice.virtualRoot = "\\games\\";
    choice.folderExists = [](const std::string& f) { return f == "E:\\games\\"; };
    EXPECT_EQ(FindMatchingDisks(d.cat, choice), (std::vector<Node*>{&virt}));
    // Folder names on the medium ignore case.
    choice.virtualRoot = "\\Games\\";
    choice.folderExists = nullptr;
    EXPECT_EQ(FindMatchingDisks(d.cat, choice), (std::vector<Node*>{&virt}));
    EXPECT_TRUE(MediaMatchesDisk(choice, *RecordAs<TDiskRec>(virt.record())));
    choice.folderExists = [](const std::string&) { return false; };
    EXPECT_TRUE(FindMatchingDisks(d.cat, choice).empty());

    medium.label = "label";
    EXPECT_FALSE(MediaMatchesDisk(choice, *RecordAs<TDiskRec>(same.record())));
    medium.label = "LABEL";
    choice.virtualRoot.clear();
    EXPECT_TRUE(MediaMatchesDisk(choice, *RecordAs<TDiskRec>(same.record())));
    EXPECT_TRUE(MediaMatchesDisk(choice, *RecordAs<TDiskRec>(packed.record())));

    EXPECT_EQ(SerialText(0x4A3B2C1D), "4A3B-2C1D");
    EXPECT_EQ(SerialText(0), "0000-0000");
    EXPECT_EQ(DriveStatusText(MediumChoice{}, true, false), "No drive selected");
    EXPECT_NE(DriveStatusText(choice, true, true).find("(E:), Serial num: 0000-0007, already exists in catalog"),
              std::string::npos);
    EXPECT_NE(DriveStatusText(choice, false, false).find("does NOT match"), std::string::npos);

    EXPECT_TRUE(DriveFitsUpdate(7, 2));   // 3.5-inch kinds
    EXPECT_TRUE(DriveFitsUpdate(0, 4));   // wide kinds
    EXPECT_FALSE(DriveFitsUpdate(2, 0));
    EXPECT_TRUE(DriveFitsUpdate(MediaType::Removable, MediaType::Jaz1GB));
}

TEST(AddDiskDecision, OneMatchAsksAndTheSelectionWindowUpdatesLikeYes) {
    Disks d;
    Node& a = d.disk("A", 1, 10);
    Node& b = d.disk("B", 1, 10);
    const struct {
        std::vector<Node*> candidates;
        std::vector<PromptAnswer> answers;
        DiskSelectResult select;
        OkOutcome outcome;
        bool addMode;
        Node* updated;
    } cases[] = {
        {{}, {}, DiskSelectResult::Cancel, OkOutcome::Accept, true, nullptr},
        {{&a}, {PromptAnswer::Yes}, DiskSelectResult::Cancel, OkOutcome::Accept, false, &a},
        {{&a}, {PromptAnswer::No}, DiskSelectResult::Cancel, OkOutcome::Accept, true, nullptr},
        {{&a}, {PromptAnswer::Cancel}, DiskSelectResult::Cancel, OkOutcome::Stay, true, nullptr},
        {{&a, &b}, {}, DiskSelectResult::Update, OkOutcome::Accept, false, &b},
        {{&a, &b}, {}, DiskSelectResult::AddAsNew, OkOutcome::Accept, true, nullptr},
        {{&a, &b}, {}, DiskSelectResult::Cancel, OkOutcome::Stay, true, nullptr},
    };
    for (const auto& c : cases) {
        AddDiskState state;
        state.candidates = c.candidates;
        ui::ScriptedPrompt prompt;
        prompt.answers.assign(c.answers.begin(), c.answers.end());
        const OkOutcome got = DecideOk(state, prompt, [&](const std::vector<Node*>& list, std::size_t& chosen) {
            chosen = list.size() - 1;
            return c.select;
        });
        EXPECT_EQ(got, c.outcome) << c.candidates.size();
        EXPECT_EQ(state.addMode, c.addMode);
        if (c.outcome == OkOutcome::Accept) {
            EXPECT_EQ(state.updatedDisk, c.updated);
        }
        // An update always carries over, so no "descriptions will be lost" question follows.
        if (!state.addMode) {
            EXPECT_TRUE(state.keepCurrent);
            EXPECT_EQ(prompt.asked.size(), c.answers.size());
        }
    }
    // Taken as an update: texts from every disk when carry-over already was on, else from the disk updated.
    for (bool keep : {false, true}) {
        AddDiskState state;
        state.candidates = {&a};
        state.keepCurrent = keep;
        ui::ScriptedPrompt prompt;
        prompt.answers = {PromptAnswer::Yes};
        ASSERT_EQ(DecideOk(state, prompt, [](const std::vector<Node*>&, std::size_t&) { return DiskSelectResult::Cancel; }),
                  OkOutcome::Accept);
        EXPECT_EQ(state.importDescIndex, keep ? 1 : 0) << keep;
        EXPECT_TRUE(state.keepCurrent);
    }
}

TEST(AddDiskDecision, UpdateModeWarningsAndTheSerialQuestion) {
    Disks d;
    Node& a = d.disk("A", 1, 10);
    AddDiskState state;
    state.addMode = false;
    state.updatedDisk = &a;
    ui::ScriptedPrompt no{PromptAnswer::No};
    EXPECT_EQ(DecideOk(state, no, nullptr), OkOutcome::Stay);
    EXPECT_NE(no.asked[0].text.find("replace data for \"A\""), std::string::npos);

    ui::ScriptedPrompt yesThenNo{PromptAnswer::Yes, PromptAnswer::No};
    EXPECT_EQ(DecideOk(state, yesThenNo, nullptr), OkOutcome::StayShowCarryOver);
    EXPECT_EQ(yesThenNo.asked[1].caption, "Warning");
    state.mediaMatches = true;
    state.keepCurrent = true;
    ui::ScriptedPrompt none;
    EXPECT_EQ(DecideOk(state, none, nullptr), OkOutcome::Accept);
    EXPECT_TRUE(none.asked.empty());

    AddDiskState added;
    added.candidates = {&a};
    int asked = 0;
    auto ask = [&] { return ++asked, true; };
    EXPECT_TRUE(DecideChangeSerial(added, true, true, ask));
    EXPECT_TRUE(DecideChangeSerial(added, true, false, ask));
    EXPECT_FALSE(DecideChangeSerial(added, false, true, ask));
    EXPECT_EQ(asked, 1);
    added.updatedDisk = &a;
    EXPECT_FALSE(DecideChangeSerial(added, true, true, ask));

    ScanOptionBoxes boxes;
    boxes.browseArchives = false;
    SetupDialog(boxes, true, &boxes.browseArchives);
    EXPECT_FALSE(boxes.importComment);
    EXPECT_FALSE(boxes.archiveDescOnlyEnabled);
    EXPECT_FALSE(boxes.archiveQuickScanEnabled);
    boxes.importComment = true;
    SetupDialog(boxes, false, &boxes.importComment);
    EXPECT_TRUE(boxes.browseArchives);
    EXPECT_TRUE(boxes.archiveDescOnlyEnabled);
    EXPECT_TRUE(boxes.archiveQuickScanEnabled);
}

// Fixed, network, RAM and unknown drives are never asked to eject.
TEST(AddDiskDecision, OnlyRemovableMediaAreEjected) {
    using namespace MediaType;
    for (std::uint8_t code : {Floppy525DD, Floppy35HD, Floppy35EHD, Floppy8SD, Tape, Optical, CdRom, Removable, Zip100,
                              Jaz1GB})
        EXPECT_TRUE(MediaCanBeEjected(code)) << int{code};
    for (std::uint8_t code : {HardDisk, Network, RamDisk, Unknown, std::uint8_t{16}})
        EXPECT_FALSE(MediaCanBeEjected(code)) << int{code};
}

TEST(DiskSelectOrder, NewColumnSortsSameColumnOnlyReverses) {
    Disks d;
    std::vector<Node*> list = {&d.disk("b", 1, 3), &d.disk("c", 1, 1), &d.disk("a", 1, 2)};
    int compares = 0;
    const CandidateCompare byColumn = [&](const Node* x, const Node* y, int column) {
        ++compares;
        const auto size = [](const Node* n) { return RecordAs<TDiskRec>(n->record())->volume.totalClusters; };
        if (column == 1) return size(x) < size(y) ? -1 : size(x) > size(y) ? 1 : 0;
        return x->text().compare(y->text());
    };
    auto names = [&] {
        std::string s;
        for (Node* n : list) s += n->text();
        return s;
    };
    CandidateOrder order;
    EXPECT_TRUE(order.columnClick(1, list, byColumn));
    EXPECT_EQ(names(), "cab");
    EXPECT_FALSE(order.descending());
    compares = 0;
    order.columnClick(1, list, byColumn);
    EXPECT_EQ(names(), "bac");
    EXPECT_TRUE(order.descending());
    EXPECT_EQ(compares, 0);
    order.columnClick(0, list, byColumn);
    EXPECT_EQ(names(), "abc");
    EXPECT_FALSE(order.descending());
}

}  // namespace
}  // namespace kv
