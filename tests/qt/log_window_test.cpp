#include "qt/log_window.h"

#include <gtest/gtest.h>

#include "qt/settle.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextBlock>

#pragma push_macro("emit")
#undef emit
#include "support/fakes.h"
#pragma pop_macro("emit")

namespace orva::test {
namespace {

TEST(LogWindow, HiddenUntilShownThenHiddenOnCloseKeepingTheTrace) {
    World w;
    LogWindow window(w.f());
    int mainShown = 0;
    w.f().showRequested.connect([&] { ++mainShown; });
    EXPECT_EQ(window.windowTitle(), "Log Window");
    EXPECT_FALSE(window.isVisible());
    TraceLine(w.f(), "C2S Login Sequence.");
    TraceLine(w.f(), "S2C LOGINOK:Ann\r");
    ShowTraceWindow(w.f());
    settle();
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.textBox()->toPlainText(),
              "12/7/2026 9:05:03 AM C2S Login Sequence.\n12/7/2026 9:05:03 AM S2C LOGINOK:Ann");

    EXPECT_TRUE(window.close() == false);  // the close is refused: hidden instead
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(w.f().frmLog.Visible.get());
    EXPECT_EQ(mainShown, 1);

    TraceLine(w.f(), "while hidden");
    ShowTraceWindow(w.f());
    settle();
    EXPECT_EQ(window.textBox()->document()->blockCount(), 3);
    EXPECT_TRUE(window.textBox()->toPlainText().endsWith("while hidden"));
}

TEST(LogWindow, KeepsTheNewestLinesOnly) {
    World w;
    LogWindow window(w.f());
    ShowTraceWindow(w.f());
    settle();
    for (std::size_t i = 0; i < TraceLog::kCapacity + 50; ++i) {
        TraceLine(w.f(), "S2C " + std::to_string(i));
        if (i % 1000 == 0) settle();  // some arrive while painting, most in a burst
    }
    settle();
    QTextDocument* doc = window.textBox()->document();
    EXPECT_EQ(doc->blockCount(), static_cast<int>(TraceLog::kCapacity));
    EXPECT_EQ(doc->firstBlock().text().toStdString(), w.f().frmLog.lines.front());
    EXPECT_EQ(doc->lastBlock().text().toStdString(), w.f().frmLog.lines.back());
}

}  // namespace
}  // namespace orva::test
