#include "chat/ignore.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace orva::test {
namespace {

TEST(Ignore, AddedNamesAreIgnoredInEveryCaseUntilRemoved) {
    World w;
    FrmMain& f = w.f();
    EXPECT_FALSE(IsIgnored(f, "Bob"));
    EXPECT_TRUE(AddIgnore(f, "bob"));
    EXPECT_EQ(w.dir.read("Config.ini"), "[ignore]\r\nbob=1\r\n");
    for (const char* name : {"bob", "Bob", "BOB"})
        EXPECT_TRUE(IsIgnored(f, name)) << name;
    EXPECT_FALSE(IsIgnored(f, "bobby"));
    EXPECT_TRUE(RemoveIgnore(f, "BOB"));
    EXPECT_FALSE(IsIgnored(f, "bob"));
    EXPECT_EQ(w.dir.read("Config.ini"), "[ignore]\r\n");
}

TEST(Ignore, AnyNonEmptyValueIgnoresAndHandEditsCount) {
    World w;
    w.dir.write("Config.ini", "[Ignore]\r\nAnn = yes\r\nBo=\r\n");
    EXPECT_TRUE(IsIgnored(w.f(), "ann"));
    EXPECT_FALSE(IsIgnored(w.f(), "Bo"));
}

// Names that cannot be keys would corrupt the file or read back as something else.
TEST(Ignore, NamesThatCannotBeKeysAreNeverWrittenNorIgnored) {
    World w;
    FrmMain& f = w.f();
    w.dir.write("Config.ini", "[Ignore]\r\na=1\r\nx=1\r\nbob=1\r\n;c=1\r\n");
    const std::string before = w.dir.read("Config.ini");
    for (const char* name : {"a=b", "[x]", ";c", "", " bob", "bob ", "x\r\n[Config]", "\tbob"}) {
        EXPECT_FALSE(IsIgnored(f, name)) << name;
        EXPECT_FALSE(AddIgnore(f, name)) << name;
        EXPECT_FALSE(RemoveIgnore(f, name)) << name;
    }
    EXPECT_EQ(w.dir.read("Config.ini"), before);
    EXPECT_TRUE(IsIgnored(f, "bob"));
}

}  // namespace
}  // namespace orva::test
