#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "LoadFixtures.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/OpenCatalogs.h"
#include "tests/support/ScriptedPrompt.h"

namespace kv {
namespace {

class FakeProgress final : public WaitProgress {
public:
    void showWaitWindow(const std::string& text, bool, bool) override {
        shown.push_back(text);
        exists = true;
    }
    void hideWaitWindow() override {}
    void closeWaitWindow() override { exists = false; ++closed; }
    bool waitWindowExists() const override { return exists; }
    void setWaitText(const std::string&) override {}
    void setWaitTotal(double) override {}
    void stepWaitProgress(double) override {}
    bool cancelPressed() const override { return false; }
    void setCancelProc(std::function<void()>) override {}

    std::vector<std::string> shown;
    bool exists = false;
    int closed = 0;
};

class FakeDialog final : public CatalogFileDialog {
public:
    std::optional<std::vector<std::string>> askCatalogFiles() override {
        ++asked;
        return answer;
    }
    std::optional<std::vector<std::string>> answer;
    int asked = 0;
};

class FakeRecent final : public RecentCatalogs {
public:
    void putFirst(const std::string& f) override { log.push_back("+" + f); }
    void remove(const std::string& f) override { log.push_back("-" + f); }
    std::vector<std::string> log;
};

class FakeAutoLoad final : public AutoLoadList {
public:
    void remove(const std::string& f) override { removed.push_back(f); }
    std::vector<std::string> removed;
};

class FakeTree final : public TreeViewPort {
public:
    Node* selected() override { return selection; }
    void select(Node* node) override { selection = node; }
    void expand(Node& node) override { expanded.push_back(&node); }
    void collapse(Node&) override {}
    Node* selection = nullptr;
    std::vector<Node*> expanded;
};

struct OpenFixture : ::testing::Test {
    OpenFixture() {
        dir = std::filesystem::temp_directory_path() / ("kv_open_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        good = write("good.ctf", test::load::MakeTreeCatalog().bytes.bytes());
        other = write("other.ctf", test::load::MakeTreeCatalog().bytes.bytes());
        test::CatalogBytes bad;
        bad.head("Bad").categoryBlock();
        bad.patchU8(test::load::AddDisk(bad, "D", {}, {}).sectionStart, 0x07);
        broken = write("broken.ctf", bad.bytes());
        missing = (dir / "missing.ctf").string();
    }
    // The catalogs keep their files open, and Windows deletes no open file.
    ~OpenFixture() override {
        while (!forest.roots().empty()) forest.remove(*forest.roots().back());
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                          static_cast<std::streamsize>(bytes.size()));
        return (dir / name).string();
    }

    Node* open(std::optional<std::vector<std::string>> files) { return OpenCatalogFiles(services, std::move(files)); }

    std::filesystem::path dir;
    std::string good, other, broken, missing;
    Forest forest;
    ui::ScriptedPrompt prompt;
    FakeProgress progress;
    FakeDialog dialog;
    FakeRecent recent;
    FakeAutoLoad autoLoad;
    FakeTree tree;
    std::vector<std::string> status;
    int opened = 0;
    CatalogOpenServices services{forest, prompt, progress, dialog, recent, autoLoad, &tree,
                                 [this](const std::string& s) { status.push_back(s); }, [this] { ++opened; }, {}, {}};
};

TEST_F(OpenFixture, TheDialogsFilesOpenWithProgressAndGoToTheRecentList) {
    dialog.answer = std::vector<std::string>{good, other};
    Node* last = open(std::nullopt);
    ASSERT_EQ(forest.roots().size(), 2u);
    EXPECT_EQ(last, forest.roots()[1].get());
    EXPECT_EQ(tree.selection, last);
    EXPECT_EQ(tree.expanded.size(), 2u);
    EXPECT_EQ(recent.log, (std::vector<std::string>{"+" + good, "+" + other}));
    EXPECT_EQ(progress.shown, (std::vector<std::string>{"Loading catalogs, please wait..."}));
    EXPECT_FALSE(progress.exists);
    EXPECT_EQ(status, (std::vector<std::string>{"Loading catalogs...", ""}));
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(static_cast<TCatalogRec*>(last->record())->fileName, other);
}

TEST_F(OpenFixture, NothingHappensForACancelledDialogOrAnEmptyList) {
    EXPECT_EQ(open(std::nullopt), nullptr);
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_EQ(open(std::vector<std::string>{}), nullptr);
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_TRUE(forest.roots().empty());
    EXPECT_TRUE(status.empty());
}

TEST_F(OpenFixture, AnOpenCatalogIsReportedOnlyWhenTheDialogChoseIt) {
    open(std::vector<std::string>{good});
    // Another spelling of the same file.
    const std::string respelled = (dir / "." / "GOOD.ctf").string();
    open(std::vector<std::string>{respelled});
    EXPECT_TRUE(prompt.asked.empty());
    dialog.answer = std::vector<std::string>{respelled};
    open(std::nullopt);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "Catalog file \"" + respelled + "\" is already opened.");
    EXPECT_EQ(prompt.asked[0].caption, "Catalog is opened");
    EXPECT_EQ(prompt.asked[0].icon, ui::PromptIcon::Information);
    EXPECT_EQ(forest.roots().size(), 1u);
    // Given lists never go to the recent list.
    EXPECT_TRUE(recent.log.empty());
}

TEST_F(OpenFixture, FailuresAreReportedAndLeaveNothingBehind) {
    Node* last = open(std::vector<std::string>{missing, broken, good});
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[0].text, "Can't open catalog file " + missing + ".\rThis file does not exist.");
    EXPECT_EQ(prompt.asked[0].caption, "Load error");
    EXPECT_EQ(prompt.asked[1].text, broken + "\n\rInternal catalog structure error detected.");
    EXPECT_EQ(prompt.asked[1].caption, "Catalog error");
    EXPECT_EQ(prompt.asked[1].icon, ui::PromptIcon::Stop);
    EXPECT_EQ(autoLoad.removed, (std::vector<std::string>{missing, broken}));
    EXPECT_EQ(recent.log, (std::vector<std::string>{"-" + missing, "-" + broken}));
    ASSERT_EQ(forest.roots().size(), 1u);
    EXPECT_EQ(last, forest.roots()[0].get());

    // From the dialog, a damaged file stays in the auto-load list.
    dialog.answer = std::vector<std::string>{broken};
    open(std::nullopt);
    EXPECT_EQ(autoLoad.removed.size(), 2u);
    EXPECT_EQ(forest.roots().size(), 1u);
}

TEST_F(OpenFixture, AnUnreadableFileThatExistsIsALoadError) {
    services.fileExists = [](const std::string&) { return true; };
    open(std::vector<std::string>{missing});
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text,
              "An error occured while trying to load catalog file " + missing + ".\rFile open error");
    EXPECT_TRUE(autoLoad.removed.empty());
}

}  // namespace
}  // namespace kv
