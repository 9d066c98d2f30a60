#include "core/home_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/startup.h"
#include "support/fakes.h"

namespace orva::test {
namespace {

TEST(HomeFolder, ChoiceFollowsTheFolderAndTheEnvironment) {
    using O = std::optional<std::string>;
    struct Case {
        const char* what;
        bool writable, installed;
        O xdg, home, local;
        const char *folder, *bundle;
    } cases[] = {
        {"portable copy", true, false, O("/x"), O("/h"), O("C:\\L"), "/p/bin/", ""},
        {"installed, XDG set", false, true, O("/x/"), O("/h"), O(), "/x/orva/", "/p/share/orva/"},
        {"installed, writable by root", true, true, O("/x"), O("/h"), O(), "/x/orva/",
         "/p/share/orva/"},
        {"installed, XDG unset", false, true, O(), O("/h"), O(), "/h/.local/share/orva/",
         "/p/share/orva/"},
        {"installed, XDG empty", false, true, O(""), O("/h/"), O(), "/h/.local/share/orva/",
         "/p/share/orva/"},
        {"installed, XDG relative", false, true, O("data"), O("/h"), O(), "/h/.local/share/orva/",
         "/p/share/orva/"},
        {"read-only copy", false, false, O("/x"), O(), O(), "/x/orva/", "/p/bin/"},
        {"nowhere else to go", false, true, O(), O("rel"), O("L"), "/p/bin/", ""},
        {"read-only copy on Windows", false, false, O("/x"), O("/h"), O("C:\\Users\\a\\Local\\"),
         "C:\\Users\\a\\Local/orva/", "/p/bin/"},
        {"Windows data folder on a server", false, false, O(), O(), O("\\\\srv\\a"),
         "\\\\srv\\a/orva/", "/p/bin/"},
    };
    for (const auto& c : cases) {
        const Home home = chooseHome({"/p/bin/", c.writable, c.installed, c.xdg, c.home, c.local});
        EXPECT_EQ(home.folder, c.folder) << c.what;
        EXPECT_EQ(home.bundle, c.bundle) << c.what;
    }
}

// An installed tree: <prefix>/bin/ without files of its own, <prefix>/share/orva/ with them.
struct InstalledTree {
    World w;
    std::string data = w.dir.file("data");
    std::string home = data + "/orva/";
    InstalledTree() {
        std::filesystem::create_directories(w.dir.file("usr/bin"));
        std::filesystem::create_directories(w.dir.file("usr/share/orva"));
        for (const char* name : kBundledFiles)
            w.dir.write(std::string("usr/share/orva/") + name, std::string("bundled ") + name);
        w.dir.write("usr/share/orva/zone.dat", "Alpha,127.0.0.1,5000\r\n");
        w.app.folder = w.dir.file("usr/bin");
        w.app.environment["XDG_DATA_HOME"] = data;
    }
};

TEST(HomeFolder, InstalledProgramLivesInTheUserDataFolder) {
    InstalledTree t;
    FrmMain& f = t.w.f();
    t.w.dialogs.inputs = {std::string("Ann")};
    ASSERT_TRUE(StartUp(f) && Form_Load(f));
    EXPECT_EQ(f.AppFolder, t.home);
    EXPECT_EQ(f.ConfigPath, t.home + "Config.ini");
    EXPECT_EQ(t.w.app.instanceHome, t.home);  // one instance per home
    EXPECT_EQ(f.lstZones.ListCount(), 1);     // read from the copy
    for (const char* name : kBundledFiles)
        EXPECT_TRUE(std::filesystem::exists(t.home + name)) << name;
    EXPECT_NE(t.w.dir.read("data/orva/Config.ini").find("name=Ann"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(t.w.dir.file("usr/bin/Config.ini")));

    // The next start keeps what the user changed and only brings back what is missing.
    t.w.dir.write("data/orva/zone.dat", "Mine,127.0.0.1,7000\r\n");
    std::filesystem::remove(t.home + "watched.wav");
    World again;
    again.app.folder = t.w.app.folder;
    again.app.environment = t.w.app.environment;
    ASSERT_TRUE(StartUp(again.f()) && Form_Load(again.f()));
    EXPECT_TRUE(again.dialogs.calls.empty());  // the name is known: no prompt
    EXPECT_EQ(t.w.dir.read("data/orva/zone.dat"), "Mine,127.0.0.1,7000\r\n");
    EXPECT_EQ(t.w.dir.read("data/orva/watched.wav"), "bundled watched.wav");
}

}  // namespace
}  // namespace orva::test
