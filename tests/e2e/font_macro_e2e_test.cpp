// The font picker and the macro editor of the real window, against the zone simulator.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <string>

#include "e2e/client_world.h"
#include "qt/font_pick_window.h"
#include "qt/macro_editor_window.h"

namespace orva {
namespace {

using zonesim::pumpUntil;

TEST(FontPickerE2E, SavedFaceReachesTheInputLineAndTheChatLines) {
    ClientWorld w{zonesim::Options{}};
    w.window().resize(800, 600);
    ASSERT_TRUE(w.started);
    ASSERT_TRUE(w.enterArena());
    w.sim().sendLine(w.me, "ENTERING:Early:8:100");
    ASSERT_TRUE(w.waitShows("Player 'Early' just entered arena."));
    w.settle();
    const QImage before = w.view().grab().toImage();

    // The font is chosen between connections; the lines of the last one stay in the view.
    w.window().action(w.f().menu_Disconnect)->trigger();
    ASSERT_TRUE(pumpUntil([&] { return w.ui().frmLogin->isVisible(); }, 5000));
    w.window().action(w.f().menu_SetFont)->trigger();
    QPointer<FontPickWindow> picker = w.window().fontPick();
    ASSERT_TRUE(picker);
    retype(picker->cmbFont()->lineEdit(), QStringLiteral("DejaVu Serif"));
    retype(picker->cmbSize()->lineEdit(), QStringLiteral("14"));
    QTest::keyClick(picker->cmbSize()->lineEdit(), Qt::Key_Return);
    QTextCursor sample(picker->preview()->document());
    sample.setPosition(1);
    EXPECT_EQ(sample.charFormat().fontFamilies().toStringList(),
              QStringList{QStringLiteral("DejaVu Serif")});
    EXPECT_EQ(sample.charFormat().fontPointSize(), 14);

    QTest::mouseClick(picker->saveButton(), Qt::LeftButton);
    EXPECT_EQ(w.dialogs.shown.back(), "Font Set: Font-style Set.");
    EXPECT_TRUE(!picker || !picker->isVisible());
    EXPECT_EQ(w.ui().txtOut->font().family(), QStringLiteral("DejaVu Serif"));
    // The lines shown are drawn in the new face at once.
    w.settle();
    EXPECT_NE(w.view().grab().toImage(), before);

    // The next connection's document names the face; its lines come at the new size.
    ASSERT_TRUE(pumpUntil([&] { return w.ui().cmdConnect->isEnabled(); }, 6000));
    QTest::mouseClick(w.ui().cmdConnect, Qt::LeftButton);
    ASSERT_TRUE(pumpUntil(
        [&] {
            return w.f().txtLog.TextRTF().find("\\fcharset0 DejaVu Serif;}") != std::string::npos;
        },
        5000));
    ASSERT_TRUE(w.waitShows("You are now in arena"));
    w.sim().sendLine(w.sim().findClient("Tester"), "ENTERING:Late:8:100");
    ASSERT_TRUE(w.waitShows("Player 'Late' just entered arena."));
    const ChatView& log = w.f().txtLog;
    EXPECT_EQ(log.line(log.lineCount() - 1).runs.front().format.size, 28);
}

TEST(MacroEditorE2E, MacroSavedInTheEditorGoesOutOnItsFunctionKey) {
    ClientWorld w{zonesim::Options{}};
    ASSERT_TRUE(w.started);
    ASSERT_TRUE(w.enterArena());
    w.window().action(w.f().menu_MacroEditor)->trigger();
    MacroEditorWindow* editor = w.window().macroEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor->field(0), QStringLiteral("hello from F1"));
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_TRUE(editor->savedStatus()->text().startsWith(QStringLiteral("Last Saved: ")));
    EXPECT_EQ(w.window().action(w.f().menu_Macro[0])->text(), QStringLiteral("hello from F1"));

    QTest::keyClick(w.ui().txtOut, Qt::Key_F1);
    EXPECT_TRUE(w.sim().waitReceived(w.me, "SEND:PUBM:hello from F1"));
}

}  // namespace
}  // namespace orva
