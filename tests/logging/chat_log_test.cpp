#include "logging/chat_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/frm_main.h"
#include "support/fakes.h"
#include "view/chat_lines.h"

namespace orva::test {
namespace {

namespace fs = std::filesystem;

TEST(SetLogFileName, NamesAndDefault) {
    const std::pair<std::string, std::string> cases[] = {
        {"a/b:c", "a.b.c"},
        {"  my log.txt  ", "my log.txt"},
        {"x:/y", "x..y"},
        {"", "2026.12.07 09.05.03.txt"},
        {"   ", "2026.12.07 09.05.03.txt"},
        // Never a path out of the logs folder.
        {"..\\..\\x", "......x"},
        {"..", "2026.12.07 09.05.03.txt"},
        {" . ", "2026.12.07 09.05.03.txt"},
        {":", "2026.12.07 09.05.03.txt"},
    };
    for (const auto& [name, want] : cases) {
        World w;
        SetLogFileName(w.f(), name);
        EXPECT_EQ(w.f().chatLog.LogFileName, want) << name;
        EXPECT_EQ(LogIsOpen(w.f()), 0);
        EXPECT_FALSE(fs::exists(w.dir.file("logs")));
    }
}

TEST(LogTimestamp, FixedWidthFields) {
    const std::pair<LocalTime, std::string> cases[] = {
        {{2026, 3, 7, 9, 5, 2, 0}, "2026/03/07 09:05:02"},
        {{1999, 12, 31, 23, 59, 59, 999}, "1999/12/31 23:59:59"},
        {{33, 1, 1, 0, 0, 0, 0}, "0033/01/01 00:00:00"},
    };
    for (const auto& [time, want] : cases) {
        World w;
        w.clock.local = time;
        EXPECT_EQ(LogTimestamp(w.f()), want);
    }
}

TEST(EnsureFolder, ReportsWhatItFound) {
    TempDir dir;
    dir.write("file", "x");
    EXPECT_EQ(EnsureFolder(dir.file("file"), 1), 0);  // a plain file counts as present
    EXPECT_EQ(EnsureFolder(dir.path(), 1), 0);
    EXPECT_EQ(EnsureFolder(dir.file("new"), 0), 1);
    EXPECT_FALSE(fs::exists(dir.file("new")));
    EXPECT_EQ(EnsureFolder(dir.file("new"), 1), 2);
    EXPECT_TRUE(fs::is_directory(dir.file("new")));
    EXPECT_EQ(EnsureFolder(dir.file("file/sub"), 1), 1);  // cannot be made
}

TEST(ChatLog, OpenWriteCloseAndTwoConnections) {
    World w;
    FrmMain& f = w.f();
    WriteChatLog(f, "before");  // off: nothing, not even the folder
    EXPECT_FALSE(fs::exists(w.dir.file("logs")));

    SetLogFileName(f, "");
    OpenLog(f);
    EXPECT_EQ(LogIsOpen(f), 255);
    WriteChatLog(f, "   Ann> hi \\{x\\}");
    w.clock.local.second = 9;
    OpenLog(f);  // a second connection while logging
    WriteChatLog(f, "line two");
    CloseLog(f);
    WriteChatLog(f, "after");
    EXPECT_EQ(LogIsOpen(f), 0);
    EXPECT_EQ(f.chatLog.LogFileName, "");
    EXPECT_EQ(w.dir.read("logs/2026.12.07 09.05.03.txt"),
              "12/7/2026 9:05:03 AM Log Opened.\r\n"
              "   Ann> hi \\{x\\}\r\n"
              "12/7/2026 9:05:09 AM Log Opened.\r\n"
              "line two\r\n"
              "12/7/2026 9:05:09 AM Log Closed.\r\n");
    EXPECT_TRUE(w.dialogs.calls.empty());

    SetLogFileName(f, "a/b:c");
    OpenLog(f);
    std::string status = "Log Closed.";
    PostStatusLine(f, status);
    EXPECT_TRUE(w.dir.read("logs/a.b.c").ends_with(" Log Opened.\r\nLog Closed.\r\n"));
}

TEST(ChatLog, KeptOpenYetMadeAgainWhenTheFileGoes) {
    struct Case {
        const char* name;
        void (*change)(World&);
        const char* atPath;  // the log's path after the look at the file
        // Windows lets no other program put a file in the place of one held open, and may keep
        // a removed file's name (and so its folder) until the last handle to it goes.
        bool posixOnly = false;
    } cases[] = {
        {"untouched", [](World&) {}, "open\r\none\r\ntwo\r\nthree\r\n"},
        {"removed", [](World& w) { fs::remove(w.dir.file("logs/chat.txt")); }, "three\r\n", true},
        {"moved",
         [](World& w) { fs::rename(w.dir.file("logs/chat.txt"), w.dir.file("logs/old.txt")); },
         "three\r\n"},
        {"replaced",
         [](World& w) {
             w.dir.write("logs/new.txt", "other\r\n");
             fs::rename(w.dir.file("logs/new.txt"), w.dir.file("logs/chat.txt"));
         },
         "other\r\nthree\r\n", true},
        {"folder removed", [](World& w) { fs::remove_all(w.dir.file("logs")); }, "three\r\n", true},
    };
    for (const Case& c : cases) {
#ifdef _WIN32
        if (c.posixOnly) continue;
#endif
        World w;
        FrmMain& f = w.f();
        w.clock.advance(5);
        SetLogFileName(f, "chat.txt");
        f.chatLog.LogIsOpen = 255;
        WriteChatLog(f, "open");
        WriteChatLog(f, "one");
        c.change(w);
        w.clock.advance(99);
        WriteChatLog(f, "two");  // still the open file: the path is looked at every 100 ms
        w.clock.advance(1);
        WriteChatLog(f, "three");
        EXPECT_EQ(w.dir.read("logs/chat.txt"), c.atPath) << c.name;
        if (std::string(c.name) == "moved") {
            EXPECT_EQ(w.dir.read("logs/old.txt"), "open\r\none\r\ntwo\r\n");  // nothing lost
        }
        EXPECT_TRUE(w.dialogs.calls.empty()) << c.name;
        CloseLog(f);
        EXPECT_FALSE(f.chatLog.file.isOpen()) << c.name;
    }
}

TEST(ChatLog, FailureSaysSoOnceAndStopsLogging) {
    struct Case {
        const char* name;
        void (*breakIt)(World&);
    } cases[] = {
        // The log file cannot be opened for appending (a folder stands in its place, which no
        // permission bit lets anyone write to).
        {"unwritable file", [](World& w) { fs::create_directories(w.dir.file("logs/chat.txt")); }},
        // The logs folder cannot be made: a plain file of another name blocks its parent.
        {"folder cannot be made",
         [](World& w) {
             w.dir.write("blocker", "x");
             w.f().AppFolder = w.dir.file("blocker/");
         }},
    };
    for (const Case& c : cases) {
        World w;
        c.breakIt(w);
        SetLogFileName(w.f(), "chat.txt");
        OpenLog(w.f());
        WriteChatLog(w.f(), "one");
        WriteChatLog(w.f(), "two");
        ASSERT_EQ(w.dialogs.calls.size(), 1u) << c.name;
        const DialogCall& box = w.dialogs.calls[0];
        EXPECT_EQ(box.title, "log file");
        EXPECT_EQ(box.icon, MsgIcon::Information);
        EXPECT_TRUE(box.text.starts_with("Error writing log file.\r\n\r\n")) << box.text;
        EXPECT_GT(box.text.size(), std::string("Error writing log file.\r\n\r\n").size());
        EXPECT_EQ(LogIsOpen(w.f()), 0) << c.name;
        EXPECT_EQ(w.f().chatLog.LogFileName, "chat.txt");  // kept until named again
    }
}

}  // namespace
}  // namespace orva::test
