#include "platform/files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/cp1252.h"
#include "support/fakes.h"

namespace orva::test {
namespace {

// Paths are the file system's own bytes; only text of the program joins them through the code
// page, and only a path shown to the user goes back into it.
TEST(Files, FoldersInAnyScriptAreFoundAndWritten) {
    struct Case {
        const char* folder;  // as the file system spells it
        const char* shown;   // as the user reads it in a box
        bool posixOnly = false;
    } cases[] = {
        {"plain", "plain"},
        {"J\xC3\xB6rg's Spiele", "J\xF6rg's Spiele"},
        {"\xE2\x82\xAC"
         "uro \xE2\x80\x93 \xC5\x93",
         "\x80uro \x96 \x9C"},
        {"\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B", "????"},     // Cyrillic
        {"\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0", "???"},  // CJK
        // A byte no UTF-8 has: only POSIX names are bytes rather than characters.
        {"\xE3\x82\xB2 \xFF", "? ?", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
#ifdef _WIN32
        if (c.posixOnly) continue;
#endif
        TempDir dir;
        ASSERT_TRUE(std::filesystem::create_directory(files::nativePath(dir.file(c.folder))));
        dir.write(std::string(c.folder) + "/zone.dat", "Alpha,h,1\r\n");
        const std::string folder = dir.path() + c.folder + "/";

        EXPECT_EQ(files::pathText(c.folder), c.shown);
        EXPECT_TRUE(files::isDirectory(folder));
        EXPECT_TRUE(files::exists(folder + "zone.dat"));
        EXPECT_EQ(files::readAll(folder + "zone.dat"), std::optional<std::string>("Alpha,h,1\r\n"));
        EXPECT_TRUE(files::replaceAtomically(folder + "Config.ini", "[Config]\r\n"));
        EXPECT_EQ(dir.read(std::string(c.folder) + "/Config.ini"), "[Config]\r\n");
        EXPECT_TRUE(files::createDirectory(folder + "logs"));
        // A log name the user typed is code page text: "café.txt".
        EXPECT_TRUE(files::append(folder + "logs/" + files::fileNameFromText("caf\xE9.txt"), "x"));
        EXPECT_EQ(dir.read(std::string(c.folder) + "/logs/caf\xC3\xA9.txt"), "x");

        // A per-user home there: made, found writable (leaving no trace of the look), filled.
        const std::string home = folder + "home/orva/";
        EXPECT_FALSE(files::isWritableFolder(home));
        EXPECT_TRUE(files::createDirectories(home));
        EXPECT_TRUE(files::isWritableFolder(home));
        EXPECT_FALSE(files::isWritableFolder(folder + "zone.dat"));
        EXPECT_TRUE(std::filesystem::is_empty(files::nativePath(home)));
        EXPECT_TRUE(files::copyNewFile(folder + "zone.dat", home + "zone.dat"));
        EXPECT_FALSE(files::copyNewFile(folder + "Config.ini", home + "zone.dat"));  // the user's
        EXPECT_EQ(dir.read(std::string(c.folder) + "/home/orva/zone.dat"), "Alpha,h,1\r\n");
    }
}

// The cached read never serves old bytes after a write of ours or a change to a fresh file.
TEST(Files, CachedReadSeesOwnWritesAndFreshChanges) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string path = dir.file("Config.ini");
    const auto age = [&] {
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
    };
    const auto read = [&] { return files::readAllCached(path).value_or("(none)"); };

    EXPECT_EQ(read(), "(none)");
    dir.write("Config.ini", "one");
    EXPECT_EQ(read(), "one");
    dir.write("Config.ini", "two");  // same size, same tick of the file clock
    EXPECT_EQ(read(), "two");
    age();
    EXPECT_EQ(read(), "two");
    EXPECT_EQ(read(), "two");
    ASSERT_TRUE(files::replaceAtomically(path, "six"));
    EXPECT_EQ(read(), "six");
    // Our own write is kept without a read, yet another program's same-size edit is seen once
    // the short recheck interval has passed.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    dir.write("Config.ini", "ten");
    EXPECT_EQ(read(), "ten");
    ASSERT_TRUE(files::replaceAtomically(path, "six"));
    age();
    EXPECT_EQ(read(), "six");
    ASSERT_TRUE(files::append(path, "!"));
    EXPECT_EQ(read(), "six!");
    EXPECT_EQ(files::readAllCached(dir.file("other")), std::nullopt);
}

}  // namespace
}  // namespace orva::test
