#include <gtest/gtest.h>

#include <stdexcept>

#include "shell/app/AutoSave.h"
#include "shell/app/CloseQuery.h"
#include "shell/app/DropFilter.h"
#include "shell/app/ProgramIdentity.h"

namespace kv {
namespace {

TEST(DropFilter, KeepsCatalogsInAnyCaseAndCountsTheRest) {
    struct Case {
        std::vector<std::string> names;
        std::vector<std::string> catalogs;
        int invalid;
        const char* message;
    } cases[] = {
        {{"C:\\A.CTF"}, {"C:\\A.CTF"}, 0, nullptr},
        {{"x.txt", "y.ctf"}, {"y.ctf"}, 1, "Sorry, the file you dropped does not seem to be a catalog file."},
        {{"x.txt"}, {}, 1, "Sorry, the file you dropped does not seem to be a catalog file."},
        {{"x.txt", "C:\\dir.ctf\\noext"}, {}, 2, "Sorry, none of files you just dropped is a valid catalog file."},
        {{"C:\\a.ctf.bak", "ctf", "C:\\.Ctf"}, {"C:\\.Ctf"}, 2, nullptr},
    };
    for (const Case& c : cases) {
        DroppedFiles d = FilterDroppedFiles(c.names);
        EXPECT_EQ(d.catalogs, c.catalogs) << c.names.front();
        EXPECT_EQ(d.invalid, c.invalid) << c.names.front();
        if (c.catalogs.empty()) {
            EXPECT_STREQ(InvalidDropText(d.invalid), c.message);
        }
    }
    EXPECT_EQ(InvalidDropText(0), nullptr);
}

TEST(AutoSaveSchedule, TimerOnlyArmsAndBlockersKeepTheSaveArmed) {
    AutoSaveSchedule s;
    EXPECT_FALSE(s.Due({}));
    s.TimerTimeout();
    EXPECT_TRUE(s.Due({}));
    for (AutoSaveBlockers b : {AutoSaveBlockers{true, false, false, false}, AutoSaveBlockers{false, true, false, false},
                               AutoSaveBlockers{false, false, true, false}, AutoSaveBlockers{false, false, false, true}}) {
        EXPECT_FALSE(s.Due(b));
        EXPECT_TRUE(s.pending());
    }
    auto t = s.ApplyOptions(true, 17);
    EXPECT_TRUE(t.changed);
    EXPECT_EQ(t.intervalMs, 17u * 60000u);
    EXPECT_TRUE(t.enabled);
    EXPECT_FALSE(s.pending());
    // The same interval again need not restart the timer.
    EXPECT_FALSE(s.ApplyOptions(false, 17).changed);
    EXPECT_EQ(s.ApplyOptions(true, 240).intervalMs, 240u * 60000u);
}

struct Catalogs : AutoSaveTargets {
    struct Entry {
        bool modified, named, throws;
    };
    std::vector<Entry> entries;
    std::vector<std::size_t> saved;
    std::vector<std::string> status;
    std::size_t count() override { return entries.size(); }
    bool modified(std::size_t i) override { return entries[i].modified; }
    bool named(std::size_t i) override { return entries[i].named; }
    void save(std::size_t i) override {
        if (entries[i].throws)
            throw std::runtime_error("disk full");
        saved.push_back(i);
    }
    void showStatus(const std::string& text) override { status.push_back(text); }
};

TEST(RunAutoSave, SavesModifiedNamedCatalogsOnlyAndAlwaysResetsTheStatus) {
    Catalogs c;
    c.entries = {{true, true, false}, {false, true, false}, {true, false, false}, {true, true, false}};
    RunAutoSave(c);
    EXPECT_EQ(c.saved, (std::vector<std::size_t>{0, 3}));
    EXPECT_EQ(c.status, (std::vector<std::string>{"Starting AutoSave...", ""}));

    Catalogs failing;
    failing.entries = {{true, true, true}, {true, true, false}};
    EXPECT_THROW(RunAutoSave(failing), std::runtime_error);
    EXPECT_EQ(failing.status.back(), "");
}

struct CloseHost : CloseQueryHost {
    int stopsAfterWaits = 0;  // negative: never
    bool scanning = false;
    bool cancelAnswer = false;
    int waits = 0;
    std::vector<std::string> calls;
    std::function<void()> duringWait;
    bool scanRunning() override { return scanning; }
    bool searchRunning() override { return stopsAfterWaits < 0 || waits < stopsAfterWaits; }
    void cancelSearch() override { calls.push_back("cancel"); }
    void waitBriefly(int) override {
        ++waits;
        if (duringWait)
            duringWait();
    }
    void resetStatus() override { calls.push_back("reset"); }
    void warnSearchStuck() override { calls.push_back("warn"); }
    bool saveQuestionCancelled() override {
        calls.push_back("ask");
        return cancelAnswer;
    }
    void afterCancelledQuestion() override { calls.push_back("undo"); }
};

TEST(CloseQuery, WaitsBoundedlyForASearchThenAsksAboutCatalogs) {
    CloseQuery q;
    CloseHost stops;
    stops.stopsAfterWaits = 3;
    EXPECT_TRUE(q.CanClose(stops));
    EXPECT_EQ(stops.waits, 3);
    EXPECT_EQ(stops.calls, (std::vector<std::string>{"cancel", "ask"}));

    CloseHost stuck;
    stuck.stopsAfterWaits = -1;
    EXPECT_FALSE(q.CanClose(stuck));
    EXPECT_EQ(stuck.waits, kSearchStopWaits);
    EXPECT_EQ(stuck.calls, (std::vector<std::string>{"cancel", "reset", "warn"}));

    // Cancel, or a save that failed, at the question keeps the program open.
    CloseHost refused;
    refused.cancelAnswer = true;
    EXPECT_FALSE(q.CanClose(refused));
    EXPECT_EQ(refused.calls, (std::vector<std::string>{"ask", "undo"}));
    EXPECT_FALSE(q.inProgress());

    // A close request that reaches the program while a disk scan runs is refused unasked.
    CloseHost scanning;
    scanning.scanning = true;
    EXPECT_FALSE(q.CanClose(scanning));
    EXPECT_TRUE(scanning.calls.empty());
}

TEST(CloseQuery, ASecondRequestDuringTheWaitIsRefusedAndTheFirstDecides) {
    CloseQuery q;
    CloseHost host;
    host.stopsAfterWaits = 2;
    int nestedAnswers = 0;
    host.duringWait = [&] {
        CloseHost nested;
        if (!q.CanClose(nested))
            ++nestedAnswers;
        EXPECT_TRUE(nested.calls.empty());
    };
    EXPECT_TRUE(q.CanClose(host));
    EXPECT_EQ(nestedAnswers, 2);
}

TEST(ProgramIdentity, MarkerMustBeOneByteOfTheCurrentRevision) {
    const std::uint8_t two[] = {2}, one[] = {1}, twoTwo[] = {2, 2};
    EXPECT_TRUE(MarkerIsCurrent(std::span<const std::uint8_t>(two)));
    EXPECT_FALSE(MarkerIsCurrent(std::span<const std::uint8_t>(one)));
    EXPECT_FALSE(MarkerIsCurrent(std::span<const std::uint8_t>(twoTwo)));
    EXPECT_FALSE(MarkerIsCurrent(std::nullopt));
    EXPECT_EQ(ProgramKeyFrom(nullptr), "\\SOFTWARE\\Talvenmoor\\Korvalder?");
    EXPECT_EQ(ProgramKeyFrom(""), "\\SOFTWARE\\Talvenmoor\\Korvalder?");
    EXPECT_EQ(ProgramKeyFrom("SOFTWARE\\KvTest"), "\\SOFTWARE\\KvTest");
}

}  // namespace
}  // namespace kv
