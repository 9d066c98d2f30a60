#include "logging/trace.h"

#include <gtest/gtest.h>

#include <string>

#include "core/frm_main.h"
#include "support/fakes.h"

namespace orva::test {
namespace {

TEST(TraceLine, OnlyOneFinalCarriageReturnIsRemoved) {
    const std::pair<std::string, std::string> cases[] = {
        {"S2C MSG:PUB:a:b\r", "S2C MSG:PUB:a:b"},
        {"S2C x\r\n", "S2C x\r\n"},
        {"S2C x\r\r", "S2C x\r"},
        {"\r", ""},
        {"", ""},
        {"mid\rdle", "mid\rdle"},
    };
    for (const auto& [in, want] : cases) {
        World w;
        std::string text = in;
        std::vector<std::string> seen;
        w.f().frmLog.lineAdded.connect([&](const std::string& l) { seen.push_back(l); });
        TraceLine(w.f(), text);
        EXPECT_EQ(text, "2026/12/07 09:05:03 " + want);  // the caller's text as traced
        ASSERT_EQ(w.f().frmLog.lines.size(), 1u);
        EXPECT_EQ(w.f().frmLog.lines.back(), text);
        EXPECT_EQ(seen, std::vector<std::string>{text});
    }
}

TEST(TraceLine, KeepsTheNewestLines) {
    World w;
    const std::size_t extra = 25;
    for (std::size_t i = 0; i < TraceLog::kCapacity + extra; ++i)
        TraceLine(w.f(), "C2S " + std::to_string(i));
    const TraceLog& log = w.f().frmLog;
    EXPECT_EQ(log.lines.size(), TraceLog::kCapacity);
    EXPECT_EQ(log.dropped, extra);
    EXPECT_EQ(log.total(), TraceLog::kCapacity + extra);
    EXPECT_EQ(log.lines.front(), "2026/12/07 09:05:03 C2S " + std::to_string(extra));
    EXPECT_EQ(log.lines.back(),
              "2026/12/07 09:05:03 C2S " + std::to_string(TraceLog::kCapacity + extra - 1));
}

TEST(TraceWindow, CloseHidesAndKeepsTheTrace) {
    World w;
    int shown = 0;
    w.f().showRequested.connect([&] { ++shown; });
    TraceLine(w.f(), "first");
    ShowTraceWindow(w.f());
    EXPECT_TRUE(w.f().frmLog.Visible.get());
    EXPECT_TRUE(frmLog_QueryUnload(w.f()));  // the close is cancelled
    EXPECT_FALSE(w.f().frmLog.Visible.get());
    EXPECT_EQ(shown, 1);
    TraceLine(w.f(), "while hidden");
    ShowTraceWindow(w.f());
    EXPECT_EQ(w.f().frmLog.lines.size(), 2u);
}

}  // namespace
}  // namespace orva::test
