#include "config/settings.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "platform/files.h"
#include "support/fakes.h"

namespace orva::test {
namespace {

TEST(Settings, ReadsWhatTheFileSaysNow) {
    TempDir dir;
    const std::string ini = dir.file("Config.ini");
    EXPECT_EQ(ReadSetting("Config", "Version", ini), "");  // no file
    dir.write("Config.ini", "[Config]\r\nVersion=1.1\r\nlong=" + std::string(300, 'x') + "\r\n");
    EXPECT_EQ(ReadSetting("config", "VERSION", ini), "1.1");
    EXPECT_EQ(ReadSetting("Config", "long", ini), std::string(254, 'x'));
    dir.write("Config.ini", "[Config]\r\nVersion=1.0\r\n");  // a hand edit counts at once
    EXPECT_EQ(ReadSetting("Config", "Version", ini), "1.0");
}

TEST(Settings, WritesCreateChangeAndDelete) {
    TempDir dir;
    const std::string ini = dir.file("Config.ini");
    EXPECT_EQ(WriteSetting("Config", std::string("Version"), std::nullopt, ini), 1);
    EXPECT_FALSE(std::filesystem::exists(ini));  // deleting from nothing creates nothing
    EXPECT_EQ(WriteSetting("Config", std::string("Version"), std::string("1.1"), ini), 1);
    EXPECT_EQ(WriteSetting("macro_0", std::string("f1"), std::string("hi"), ini), 1);
    EXPECT_EQ(WriteSetting("Config", std::string("version"), std::string("1.2"), ini), 1);
    EXPECT_EQ(dir.read("Config.ini"), "[Config]\r\nVersion=1.2\r\n\r\n[macro_0]\r\nf1=hi\r\n");
    EXPECT_EQ(WriteSetting("MACRO_0", std::nullopt, std::nullopt, ini), 1);
    EXPECT_EQ(WriteSetting("Config", std::string("Version"), std::nullopt, ini), 1);
    EXPECT_EQ(dir.read("Config.ini"), "[Config]\r\n\r\n");
    EXPECT_EQ(WriteSetting("Ignore", std::string("a=b"), std::string("1"), ini), 0);
    EXPECT_EQ(dir.read("Config.ini"), "[Config]\r\n\r\n");
}

// A write that cannot complete leaves the previous file whole and says so.
TEST(Settings, FailedWriteKeepsThePreviousFile) {
    TempDir dir;
    const std::string ini = dir.file("Config.ini");
    const std::string before = "; mine\r\n[Config]\r\nVersion=1.1\r\n";
    dir.write("Config.ini", before);

#ifdef _WIN32
    // Another program holds the file open without letting it be deleted, as editors and virus
    // scanners do: the new file cannot take its place.
    std::ifstream holder(files::nativePath(ini));
    ASSERT_TRUE(holder.is_open());
    const auto result = WriteSetting("Config", std::string("namelen"), std::string("14"), ini);
    holder.close();
#else
    // Files may grow to 16 bytes only: the new file cannot be written in full. (Works as root,
    // where a read-only folder would not stop us.)
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto result = WriteSetting("Config", std::string("namelen"), std::string("14"), ini);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
#endif

    EXPECT_EQ(result, 0);
    EXPECT_EQ(dir.read("Config.ini"), before);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);  // no temporary file left behind

#ifndef _WIN32               // a folder's read-only flag there does not stop files being made in it
    if (!runningAsRoot()) {  // a read-only folder stops everyone but root
        std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        EXPECT_EQ(WriteSetting("Config", std::string("namelen"), std::string("14"), ini), 0);
        EXPECT_EQ(dir.read("Config.ini"), before);
    }
#endif
}

// The atomic replace must not undo what the user set on the file itself.
TEST(Settings, ReplaceKeepsPermissionsLinksAndWriteProtection) {
    namespace fs = std::filesystem;
    using fs::perms;
    const std::string before = "[Config]\r\nVersion=1.1\r\n";
    const std::string after = "[Config]\r\nVersion=1.1\r\nMuted=1\r\n";
    struct Case {
        const char* what;
        perms mode;
        bool viaLink;
        bool writes;
        bool posixOnly;  // Windows knows only the read-only flag, and links need a privilege
    } cases[] = {
        {"private file", perms::owner_read | perms::owner_write, false, true, true},
        {"shared file", perms::owner_read | perms::owner_write | perms::group_read, false, true,
         true},
        {"file behind a link", perms::owner_read | perms::owner_write, true, true, true},
        // Root may write anything, as everywhere else.
        {"read-only file", perms::owner_read, false, runningAsRoot(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
#ifdef _WIN32
        if (c.posixOnly) continue;
#endif
        TempDir dir;
        dir.write("real.ini", before);
        fs::permissions(dir.file("real.ini"), c.mode);
        const perms set = fs::status(dir.file("real.ini")).permissions();
        std::string ini = dir.file("real.ini");
        if (c.viaLink) {
            fs::create_symlink(dir.file("real.ini"), dir.file("Config.ini"));
            ini = dir.file("Config.ini");
        }
        EXPECT_EQ(WriteSetting("Config", std::string("Muted"), std::string("1"), ini),
                  c.writes ? 1 : 0);
        EXPECT_EQ(dir.read("real.ini"), c.writes ? after : before);
        EXPECT_EQ(fs::status(dir.file("real.ini")).permissions(), set);
        if (c.viaLink) {
            EXPECT_TRUE(fs::is_symlink(ini));
        }
        fs::permissions(dir.file("real.ini"), perms::owner_all);  // let the folder go
    }
}

TEST(Settings, SoundCuesAreSilentWhileMuted) {
    World w;
    PlaySoundFile(w.f(), "pm-received.wav");
    w.f().Muted = 3;
    PlaySoundFile(w.f(), "watched.wav");
    EXPECT_EQ(w.sound.played, std::vector<std::string>{"pm-received.wav"});
}

}  // namespace
}  // namespace orva::test
