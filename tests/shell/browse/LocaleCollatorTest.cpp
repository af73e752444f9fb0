#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/browse/LocaleFormatsWin32.h"

namespace kv {
namespace {

// The sort keys must give the locale's own order: the item lists sort by keys
// and the same texts compare directly elsewhere.
TEST(LocaleCollatorTest, SortKeysOrderAsTheTextCompare) {
    const std::vector<std::string> texts = {
        "",       "a",       "A",        "ab",    "aB",     "a b",   "a-b",    "ab-",  "-ab",      "a'b",  "co-op",
        "coop",   "co op",   "Readme",   "README", "readme.txt", "readme_txt", "1",    "10",   "2",  "9.txt",
        "_x",     "~y",      "!",        ".hidden", "\xe9t\xe9", "\xc9T\xc9", "ete", "\xe4", "\xc4", "ae",
        "\xdf",   "ss",      "\xf1",     "n",     "z",      "Z",     "\xff",   "  lead", "tab\tx",   "x\x7f"};
    LocaleCollator locale;
    SortKeyCollator keyed(locale);
    int mismatches = 0;
    for (const std::string& a : texts)
        for (const std::string& b : texts) {
            const int expected = locale.compare(a, b);
            const int got = keyed.compare(a, b);
            if ((got > 0) - (got < 0) != (expected > 0) - (expected < 0)) {
                ++mismatches;
                ADD_FAILURE() << "'" << a << "' against '" << b << "': compare " << expected << ", keys " << got;
            }
            if (mismatches > 10)
                return;
        }
}

}  // namespace
}  // namespace kv
