#include "platform/files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/cp1252.h"
#include "support/fakes.h"

namespace orva::test {
namespace {

// The program spells paths in code page 1252; the folder on disk has the same name in UTF-8.
TEST(Files, PathsInTheCodePageReachTheFilesOfThatName) {
    struct Case {
        const char* cp1252;  // the folder as the program spells it
        const char* utf8;    // the same folder on disk
    } cases[] = {
        {"plain", "plain"},
        {"J\xF6rg's Spiele", "J\xC3\xB6rg's Spiele"},
        {"\x80uro \x96 \x9C",
         "\xE2\x82\xAC"
         "uro \xE2\x80\x93 \xC5\x93"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(cp1252ToUtf8(c.cp1252), c.utf8);
        TempDir dir;
        ASSERT_TRUE(std::filesystem::create_directory(dir.file(c.utf8)));
        dir.write(std::string(c.utf8) + "/zone.dat", "Alpha,h,1\r\n");
        const std::string folder = dir.path() + c.cp1252 + "/";

        EXPECT_TRUE(files::isDirectory(folder));
        EXPECT_TRUE(files::exists(folder + "zone.dat"));
        EXPECT_EQ(files::readAll(folder + "zone.dat"), std::optional<std::string>("Alpha,h,1\r\n"));
        EXPECT_TRUE(files::replaceAtomically(folder + "Config.ini", "[Config]\r\n"));
        EXPECT_EQ(dir.read(std::string(c.utf8) + "/Config.ini"), "[Config]\r\n");
        EXPECT_TRUE(files::createDirectory(folder + "logs"));
        EXPECT_TRUE(files::append(folder + "logs/a.txt", "x"));
        EXPECT_EQ(dir.read(std::string(c.utf8) + "/logs/a.txt"), "x");
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
    age();
    EXPECT_EQ(read(), "six");
    ASSERT_TRUE(files::append(path, "!"));
    EXPECT_EQ(read(), "six!");
    EXPECT_EQ(files::readAllCached(dir.file("other")), std::nullopt);
}

}  // namespace
}  // namespace orva::test
