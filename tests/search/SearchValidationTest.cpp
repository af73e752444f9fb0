#include <gtest/gtest.h>

#include <vector>

#include "search/engine/ItemMatch.h"
#include "search/window/SearchValidation.h"

namespace kv {
namespace {

struct ScriptedAsker : ISearchAsker {
    bool answer = true;
    std::vector<std::string> captions;
    std::string lastText;
    bool AskDisableCriterion(SearchPage, const std::string& caption, const std::string& text) override {
        captions.push_back(caption);
        lastText = text;
        return answer;
    }
};

TEST(SearchValidationTest, NameGroup) {
    struct Row {
        NameMode mode;
        const char* text;
        bool answer;
        NameMode finalMode;
        const char* caption;  // nullptr: not asked
        bool result;
        bool byNameAfter;
    };
    const Row rows[] = {
        {NameMode::Part, "read*", true, NameMode::Mask, nullptr, true, true},
        {NameMode::Exact, "a?c", true, NameMode::Mask, nullptr, true, true},
        {NameMode::Part, "", true, NameMode::Part, "Invalid item name field", true, false},
        {NameMode::Part, "", false, NameMode::Part, "Invalid item name field", false, true},
        {NameMode::Mask, ",,", true, NameMode::Mask, "Invalid file mask field", true, false},
        {NameMode::Mask, " ; ,/", true, NameMode::Mask, "Invalid file mask field", true, false},
        {NameMode::FileType, "", false, NameMode::FileType, "Invalid file type field", false, true},
        {NameMode::Extension, "txt", true, NameMode::Extension, nullptr, true, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        SearchFormValues v;
        v.byName = true;
        v.nameMode = r.mode;
        v.nameText = r.text;
        ScriptedAsker asker;
        asker.answer = r.answer;
        EXPECT_EQ(ValidateSearchFields(v, asker), r.result);
        EXPECT_EQ(v.nameMode, r.finalMode);
        EXPECT_EQ(v.byName, r.byNameAfter);
        EXPECT_EQ(asker.captions, r.caption ? std::vector<std::string>{r.caption} : std::vector<std::string>{});
    }
}

// What reaches the matcher after Find: the validated values compiled as a run
// compiles them.
TEST(SearchValidationTest, MaskAndExtensionListsFindEachTypeAtFind) {
    const struct {
        NameMode mode;
        const char* text;
        const char* matched;
    } rows[] = {
        {NameMode::Mask, "*.txt,*.doc", "a.txt b.doc"},
        {NameMode::Mask, "*.txt; *.doc", "a.txt b.doc"},
        {NameMode::Part, "*.TXT;c.*", "a.txt c.bak"},
        // Normalised to TXT,doc,bak before the star could make it a mask.
        {NameMode::Extension, "*.TXT, .doc ,bak", "a.txt b.doc c.bak"},
        // "*?" still asks for at least one character.
        {NameMode::Mask, "*?x", "ax"},
        {NameMode::Mask, "*x", "x ax"},
    };
    for (const auto& r : rows) {
        SearchFormValues v;
        v.byName = true;
        v.nameMode = r.mode;
        v.nameText = r.text;
        ScriptedAsker asker;
        ASSERT_TRUE(ValidateSearchFields(v, asker)) << r.text;
        EXPECT_TRUE(asker.captions.empty()) << r.text;
        const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
        const ItemMatcher matcher(c, cp1252CaseMap());
        std::string matched;
        for (const char* name : {"a.txt", "b.doc", "c.bak", "x", "ax"})
            if (matcher.NameMatches(name))
                matched += (matched.empty() ? "" : " ") + std::string(name);
        EXPECT_EQ(matched, r.matched) << r.text;
    }
}

TEST(SearchValidationTest, OtherGroupsAreAskedInTurn) {
    SearchFormValues v;
    v.byDescription = true;
    v.descriptionText = " . ";
    v.bySize = true;
    v.byDate = true;
    ScriptedAsker asker;
    asker.answer = false;
    EXPECT_FALSE(ValidateSearchFields(v, asker));
    EXPECT_EQ(asker.captions, (std::vector<std::string>{"Invalid description field", "Invalid size field",
                                                        "Invalid date ot time field"}));
    EXPECT_EQ(asker.lastText,
              "You did not select what date or time are you looking for.\rWould you like to disable this search criteria?");

    // In duplicate mode only the name group counts; an empty description goes silently.
    v.duplicateMode = true;
    asker.captions.clear();
    EXPECT_TRUE(ValidateSearchFields(v, asker));
    EXPECT_TRUE(asker.captions.empty());
    EXPECT_FALSE(v.byDescription);
}

}  // namespace
}  // namespace kv
