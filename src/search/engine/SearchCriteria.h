#pragma once
// What a search looks for: the values of the search window's fields as plain
// data, and the criteria compiled from them on the main thread before a run.
// The worker reads only the compiled criteria.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/text/AnsiCase.h"
#include "system/SystemCaseMap.h"

namespace kv {

enum class NameMode : std::uint8_t { Part = 0, Mask = 1, Exact = 2, Extension = 3, FileType = 4 };

// A tri-state attribute box: unchecked = the bit must be clear, checked = set.
enum class AttrState : std::uint8_t { Unchecked = 0, Checked = 1, Grayed = 2 };

enum class SizeRelation : std::uint8_t { None = 0, Equal = 1, Smaller = 2, Larger = 3, Between = 4, NotBetween = 5 };
// Both the date and the time relations: On/At, Before, After, Between, Not Between.
enum class WhenRelation : std::uint8_t { On = 0, Before = 1, After = 2, Between = 3, NotBetween = 4 };
enum class DateField : std::uint8_t { None = 0, Created = 1, Modified = 2, Accessed = 3 };
enum class TimeField : std::uint8_t { None = 0, Created = 1, Modified = 2 };
enum class DescriptionMode : std::uint8_t { Any = 1, Text = 2, None = 3 };

// A size as typed: the spin edit's text and the units combo (0 Bytes, 1 KB, 2 MB, 3 GB, 4 TB).
struct SizeInput {
    std::string text = "0";
    int unit = 0;
};

struct SizeInBytes {
    std::uint64_t bytes = 0;  // saturates instead of wrapping
    std::string text;         // what the spin edit shows afterwards
    int unit = 0;
};

// A fraction moves one unit down before it is cut ("1.5" MB gives 1536 KB); a
// decimal comma counts as a point. Text that is no number gives 0.
SizeInBytes SizeToBytes(std::string_view text, int unit);

// Each comma-separated piece loses everything up to its last "." and all its
// spaces; empty pieces are dropped: "*.TXT, .doc ,bak" gives "TXT,doc,bak".
std::string NormalizeExtensionList(std::string_view text);

struct CalendarDay {
    int year = 1980, month = 1, day = 1;
};

struct TimeOfDay {
    int hour = 0, minute = 0, second = 0;
};

// Every field of the search window that a run depends on.
struct SearchFormValues {
    bool duplicateMode = false;

    bool byName = false;
    NameMode nameMode = NameMode::Part;
    std::string nameText;
    bool nameCaseSensitive = false;
    // Name mode 4: the chosen file type's ".ext\x01" list.
    std::string fileTypePattern;
    // Archive, hidden, system, read-only.
    std::array<AttrState, 4> attributes = {AttrState::Grayed, AttrState::Grayed, AttrState::Grayed, AttrState::Grayed};

    bool byDescription = false;
    DescriptionMode descriptionMode = DescriptionMode::Text;
    std::string descriptionText;
    bool descriptionCaseSensitive = false;

    bool byCategory = false;
    bool withoutCategoryChecked = false;  // "(Items without category)"
    std::vector<std::string> checkedCategories;
    std::vector<std::string> checkedFlags;

    bool bySize = false;
    SizeRelation sizeRelation = SizeRelation::None;
    SizeInput size1, size2, sizeTolerance;
    bool sizeAllowTolerance = false;

    bool byDate = false;
    DateField dateField = DateField::None;
    WhenRelation dateRelation = WhenRelation::On;
    CalendarDay date1, date2;
    bool dateAllowTolerance = false;
    int dateToleranceDays = 0;
    TimeField timeField = TimeField::None;
    WhenRelation timeRelation = WhenRelation::On;
    TimeOfDay time1, time2;
    bool timeAllowTolerance = false;
    int timeToleranceMinutes = 0;

    bool matchAny = false;
    bool limitFound = false;
    int maxFound = 1000;

    bool searchFiles = true, searchFolders = true, searchDisks = true;
    bool includeArchiveContents = true;

    bool dupName = true, dupSize = true, dupDate = false, dupAttributes = false;
    bool dupSkipArchiveContents = true;
};

// Bounds of a size, date or time test. Sizes are bytes, dates DOS date-times
// widened to 64 bits (a bound past 2107 lies above every stored value), times
// seconds of the day.
struct RangeTest {
    bool active = false;
    WhenRelation relation = WhenRelation::On;  // sizes map Equal to On, Smaller to Before, Larger to After
    std::int64_t low = 0;   // On/Between: first value in; After: values above it
    std::int64_t high = 0;  // On/Between: last value in; Before: values below it

    bool Passes(std::int64_t v) const;
};

struct TSearchCriteria {
    bool duplicateMode = false;

    bool byName = false;
    NameMode nameMode = NameMode::Part;
    std::string namePattern;  // folded unless case-sensitive; modes 3 and 4 ".EXT\x01" pieces
    bool nameCaseSensitive = false;
    std::array<AttrState, 4> attributes = {AttrState::Grayed, AttrState::Grayed, AttrState::Grayed, AttrState::Grayed};
    bool anyAttribute = false;

    bool byDescription = false;
    DescriptionMode descriptionMode = DescriptionMode::Any;
    std::string descriptionText;  // folded unless case-sensitive, stripped
    bool descriptionCaseSensitive = false;

    bool byCategory = false;

    RangeTest size;
    DateField dateField = DateField::None;
    RangeTest date;
    TimeField timeField = TimeField::None;
    RangeTest time;

    bool matchAny = false;
    std::int64_t maxFound = 0;  // 0 = no limit
    bool searchFiles = true, searchFolders = true, searchDisks = true;
    bool includeArchiveContents = true;
    bool descriptionOnly = false;

    bool dupName = false, dupSize = false, dupDate = false, dupAttributes = false;
    bool dupSkipArchiveContents = false;

    // Something can match (normal mode); a run without it ends at once.
    bool matchable = false;
};

// Removes line feeds, carriage returns, spaces, commas and full stops.
std::string StripDescription(std::string_view text);

// Applies the normalisations that leaving the pages applies (extension list,
// swapped size, date and time ranges), so that Find gives the same result either way.
void NormalizeSearchValues(SearchFormValues& values);

TSearchCriteria CompileSearchCriteria(const SearchFormValues& values, const CaseMap& caseMap = systemCaseMap());

}  // namespace kv
