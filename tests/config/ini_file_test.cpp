#include "config/ini_file.h"

#include <gtest/gtest.h>

namespace orva::test {
namespace {

// A file as people edit them: odd spacing, comments, mixed case, stray lines, duplicates.
const std::string kHandEdited =
    "stray=before any section\r\n"
    "; a comment=not a key\r\n"
    "  [ config ]  \r\n"
    "  Version =  1.1  \r\n"
    "\tNameLen\t=\t7\r\n"
    "just a line without equals\r\n"
    "quoted=\"  spaced  \"\r\n"
    "single='x'\r\n"
    "half=\"x\r\n"
    "lone=\"\r\n"
    "empty=\r\n"
    "Version=2.0\r\n"
    "[User0]\n"
    "name=Ann=Lee\n"
    "[CONFIG]\r"
    "ID=1\r"
    "[Unterminated\r\n"
    "last=no newline";

TEST(IniLookup, ReadsHandEditedFileAsWindowsDoes) {
    struct Case {
        const char *section, *key, *expected;
    } cases[] = {
        {"Config", "Version", "1.1"},        // blanks around key and value ignored, first wins
        {"CONFIG", "namelen", "7"},          // tabs are blanks; names ignore case
        {" Config ", " Version ", "1.1"},    // blanks around the asked names too
        {"Config", "quoted", "  spaced  "},  // a matching pair of quotes is stripped
        {"Config", "single", "x"},           // single quotes as well
        {"Config", "half", "\"x"},           // an unmatched quote stays
        {"Config", "lone", "\""},            // one quote alone is no pair
        {"Config", "empty", ""},
        {"Config", "just a line without equals", ""},
        {"Config", "; a comment", ""},  // comments are not keys
        {"Config", "ID", ""},           // only the first section of a name counts
        {"User0", "name", "Ann=Lee"},   // the value runs past a second "="
        {"Unterminated", "last", ""},   // "[" without "]" is no section header
        {"Config", "stray", ""},        // keys before any section belong to none
        {"Config", "[Unterminated", ""},
        {"Watch", "x", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini::lookup(kHandEdited, c.section, c.key), c.expected)
            << c.section << "/" << c.key;
}

TEST(IniLookup, LineEndsAndByteOrderMark) {
    EXPECT_EQ(ini::lookup("\xEF\xBB\xBF[a]\nk=1\n", "a", "k"), "1");
    EXPECT_EQ(ini::lookup("[a]\rk=1\r[b]\rk=2", "b", "k"), "2");
    EXPECT_EQ(ini::lookup("[a]\r\n\r\n\r\nk=1", "a", "k"), "1");
    EXPECT_EQ(ini::lookup("", "a", "k"), "");
    EXPECT_EQ(ini::lookup("[\xC9t\xE9]\r\n\xC9=1\r\n", "\xE9T\xC9", "\xE9"), "1");  // é É
}

TEST(IniApply, EditsOnlyWhatChanges) {
    using V = std::optional<std::string>;
    struct Case {
        const char* name;
        std::string before;
        const char* section;
        V key, value;
        std::string after;
    } cases[] = {
        {"creates file content", "", "Config", "Version", "1.1", "[Config]\r\nVersion=1.1\r\n"},
        {"second section after a blank line", "[Config]\r\nVersion=1.1\r\n", "User0", "name", "Ann",
         "[Config]\r\nVersion=1.1\r\n\r\n[User0]\r\nname=Ann\r\n"},
        {"new key goes after the section's last line, before blank lines",
         "[Config]\r\nVersion=1.1\r\n\r\n[User0]\r\nname=Ann\r\n", "config", "namelen", "14",
         "[Config]\r\nVersion=1.1\r\nnamelen=14\r\n\r\n[User0]\r\nname=Ann\r\n"},
        {"replaces in place, keeps the file's spelling and other lines byte for byte",
         "; top\n[CONFIG]\n  KillMsgs =  5 ; x\nodd line\n", "Config", "killmsgs", "0",
         "; top\n[CONFIG]\nKillMsgs=0\nodd line\n"},
        {"last line without a line end", "[a]\r\nk=1", "a", "j", "2", "[a]\r\nk=1\r\nj=2\r\n"},
        {"appends after a file without a final line end", "[a]\r\nk=1", "b", "j", "2",
         "[a]\r\nk=1\r\n\r\n[b]\r\nj=2\r\n"},
        {"deletes every copy of a key in the first section", "[a]\r\nk=1\r\nK=2\r\n[a]\r\nk=3\r\n",
         "A", "k", std::nullopt, "[a]\r\n[a]\r\nk=3\r\n"},
        {"deleting a missing key changes nothing", "[a]\r\nk=1\r\n", "b", "k", std::nullopt,
         "[a]\r\nk=1\r\n"},
        {"deletes every section of the name with its lines",
         "[m]\r\nf1=x\r\n;c\r\n[keep]\r\ny=1\r\n[M]\r\nf2=z\r\n", "m", std::nullopt, std::nullopt,
         "[keep]\r\ny=1\r\n"},
        {"outer blanks are quoted to survive", "", "a", "k", " x ", "[a]\r\nk=\" x \"\r\n"},
        {"outer quotes are quoted to survive", "", "a", "k", "\"x\"", "[a]\r\nk=\"\"x\"\"\r\n"},
        {"a value ends at its first line break", "", "a", "k", "one\r\n[evil]\r\nx=1",
         "[a]\r\nk=one\r\n"},
        {"keeps a byte order mark", "\xEF\xBB\xBF[a]\r\n", "a", "k", "1",
         "\xEF\xBB\xBF[a]\r\nk=1\r\n"},
    };
    for (const auto& c : cases) {
        const auto out = ini::apply(c.before, c.section, c.key, c.value);
        ASSERT_TRUE(out) << c.name;
        EXPECT_EQ(*out, c.after) << c.name;
    }
}

TEST(IniApply, WrittenValuesReadBackUnchanged) {
    const std::string values[] = {
        "",    "plain", " lead",    "trail\t",         "\"q\"",
        "'q'", "a=b;c", "\xE9\xFF", "[not a section]", std::string(300, 'v')};
    std::string text = "[a]\r\nk=old\r\n";
    for (const auto& v : values) {
        text = *ini::apply(text, "a", std::string("k"), v);
        EXPECT_EQ(ini::lookup(text, "a", "k"), v);
        EXPECT_EQ(ini::lookup(text, "a", "other"), "");
    }
}

TEST(IniApply, RefusesNamesThatCannotStandInTheFile) {
    const char* badKeys[] = {"", "a=b", "[x]", ";x", " x", "x ", "a\r\nb", "a\nb"};
    for (const char* k : badKeys) {
        EXPECT_FALSE(ini::isUsableKey(k)) << k;
        EXPECT_FALSE(ini::apply("", "Ignore", std::string(k), "1")) << k;
    }
    EXPECT_FALSE(ini::isUsableKey(std::string("a\0b", 3)));
    for (const char* s : {"", "a]b", " a", "a\n"})
        EXPECT_FALSE(ini::apply("", s, std::string("k"), "1")) << s;
    for (const char* k : {"Bob", "a]b", "x[", "#1", "\xE9t\xE9", "a b"})
        EXPECT_TRUE(ini::isUsableKey(k)) << k;
}

}  // namespace
}  // namespace orva::test
