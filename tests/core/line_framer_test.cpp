#include "core/line_framer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orva::test {
namespace {

struct Framed {
    std::vector<std::string> lines;
    std::vector<std::string> overlong;
};

Framed frame(const std::vector<std::string>& blocks, LineFramer& framer) {
    Framed out;
    for (const auto& b : blocks)
        framer.feed(
            b, [&](std::string_view l) { out.lines.emplace_back(l); },
            [&](const std::string& head) { out.overlong.push_back(head); });
    return out;
}

Framed frame(const std::vector<std::string>& blocks) {
    LineFramer framer;
    return frame(blocks, framer);
}

using Lines = std::vector<std::string>;

TEST(LineFramer, CutsAtEveryLineEndAndSkipsBlankLines) {
    const struct {
        const char* name;
        std::vector<std::string> blocks;
        Lines lines;
    } cases[] = {
        {"lf", {"A:1\nB:2\n"}, {"A:1", "B:2"}},
        {"crlf", {"A:1\r\nB:2\r\n"}, {"A:1", "B:2"}},
        {"cr only", {"A:1\rB:2\r"}, {"A:1", "B:2"}},
        {"lf then cr", {"A:1\nB:2\r"}, {"A:1", "B:2"}},
        {"cr inside a line", {"A:1\rB:2\n"}, {"A:1", "B:2"}},
        {"runs of ends", {"\r\n\r\n\nA\n\r\r\nB\n"}, {"A", "B"}},
        {"spaces only", {"   \n \r\nA\n"}, {"A"}},
        {"spaces kept around text", {"  A:1  \n"}, {"  A:1  "}},
        {"tab is not blank", {"\t\n"}, {"\t"}},
        {"nothing complete", {"A:1"}, {}},
        {"completed later", {"A:", "1", "\nB"}, {"A:1"}},
        {"end split from its cr", {"A:1\r", "\nB:2\n"}, {"A:1", "B:2"}},
        {"empty blocks", {"", "A\n", ""}, {"A"}},
        {"binary bytes kept", {std::string("M\0\xff:x\n", 6)}, {std::string("M\0\xff:x", 5)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Framed out = frame(c.blocks);
        EXPECT_EQ(out.lines, c.lines);
        EXPECT_TRUE(out.overlong.empty());
    }
}

// Whatever the block boundaries, the same stream gives the same lines.
TEST(LineFramer, SameLinesWhereverTheStreamIsCut) {
    const std::string stream =
        "LOGINOK:Ann\r\nINARENA:0:8025\n\n  \nPLAYER:Bo:8:100\r\rMSG:PUB:Bo:a:b\nKILL:A:B:1:0\r\n";
    const Lines whole = frame({stream}).lines;
    ASSERT_EQ(whole.size(), 5u);
    for (size_t i = 0; i <= stream.size(); ++i) {
        for (size_t j = i; j <= stream.size(); j += 7) {
            SCOPED_TRACE(std::to_string(i) + "," + std::to_string(j));
            const Framed out =
                frame({stream.substr(0, i), stream.substr(i, j - i), stream.substr(j)});
            EXPECT_EQ(out.lines, whole);
        }
    }
    // And byte by byte.
    std::vector<std::string> bytes;
    for (char c : stream)
        bytes.emplace_back(1, c);
    EXPECT_EQ(frame(bytes).lines, whole);
}

TEST(LineFramer, OverlongPartialLineIsTracedDroppedAndSkippedToItsEnd) {
    const std::string big(kMaxPartialLine, 'x');
    const struct {
        const char* name;
        std::vector<std::string> blocks;
        Lines lines;
        size_t overlong;
    } cases[] = {
        {"exactly the limit is kept", {"A\n" + big, "\nB\n"}, {"A", big, "B"}, 0},
        {"one byte more in one block", {big + "y", "zz\nB\n"}, {"B"}, 1},
        {"grows over several blocks",
         {big.substr(1000), big.substr(0, 999), "yy", "\rB\n"},
         {"B"},
         1},
        {"rest of the line in later blocks is skipped", {big + "y", "more", "more\nC\n"}, {"C"}, 1},
        {"complete long line in one block is kept", {big + big + "\nD\n"}, {big + big, "D"}, 0},
        {"two overlong lines", {big + "1", "\n", big + "2", "\nE\n"}, {"E"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Framed out = frame(c.blocks);
        EXPECT_EQ(out.lines, c.lines);
        ASSERT_EQ(out.overlong.size(), c.overlong);
        for (const auto& head : out.overlong)
            EXPECT_EQ(head.size(), kOverlongTraceBytes);
    }
}

TEST(LineFramer, OverlongTraceShowsTheFirstBytesOfTheLine) {
    std::string line = "MSG:PUB:Ann:";
    line += std::string(kMaxPartialLine, 'a');
    const Framed out = frame({line.substr(0, 100), line.substr(100)});
    ASSERT_EQ(out.overlong.size(), 1u);
    EXPECT_EQ(out.overlong[0], line.substr(0, kOverlongTraceBytes));
}

TEST(LineFramer, ResetForgetsTheUnfinishedLine) {
    LineFramer framer;
    EXPECT_TRUE(frame({"PLAYER:Bo:8"}, framer).lines.empty());
    EXPECT_EQ(framer.pendingBytes(), 11u);
    framer.reset();
    EXPECT_EQ(frame({":100\nA\n"}, framer).lines, (Lines{":100", "A"}));
    // Reset also ends the skipping of an overlong line.
    frame({std::string(kMaxPartialLine + 1, 'x')}, framer);
    framer.reset();
    EXPECT_EQ(frame({"B\n"}, framer).lines, (Lines{"B"}));
}

}  // namespace
}  // namespace orva::test
