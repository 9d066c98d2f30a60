// The font picker and the macro editor of the real window, against the zone simulator.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <string>

#include "config/settings.h"
#include "e2e/client_world.h"
#include "platform/qt/font_pick_window.h"
#include "platform/qt/macro_editor_window.h"

namespace orva {
namespace {

using zonesim::pumpUntil;

void retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

TEST(FontPickerE2E, SavedFaceReachesTheInputLineAndTheChatLines) {
    ClientWorld w{zonesim::Options{}};
    w.window().resize(800, 600);
    ASSERT_TRUE(w.started);
    ASSERT_TRUE(w.enterArena());
    w.sim().sendLine(w.me, "ENTERING:Early:8:100");
    ASSERT_TRUE(w.waitShows("Player 'Early' just entered arena."));
    w.settle();
    const std::size_t early = w.f().txtLog.lineCount() - 1;
    const QImage before = w.view().grab().toImage();

    // The font is chosen between connections; the lines of the last one stay in the view.
    w.window().action(w.f().menu_Disconnect)->trigger();
    ASSERT_TRUE(pumpUntil([&] { return w.ui().frmLogin->isVisible(); }, 5000));
    w.window().action(w.f().menu_SetFont)->trigger();
    QPointer<FontPickWindow> picker = w.window().fontPick();
    ASSERT_TRUE(picker);
    EXPECT_TRUE(picker->isModal());
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
    EXPECT_EQ(ReadSetting("User0", "FontType", w.f().ConfigPath), "DejaVu Serif");
    EXPECT_EQ(ReadSetting("User0", "FontSize", w.f().ConfigPath), "14");
    // The lines shown are drawn in the new face at once, each at its own size.
    w.settle();
    EXPECT_NE(w.view().grab().toImage(), before);
    EXPECT_EQ(w.f().txtLog.line(early).runs.front().format.size, 18);

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
    QPointer<MacroEditorWindow> editor = w.window().macroEditor();
    ASSERT_TRUE(editor);
    EXPECT_FALSE(editor->isModal());
    EXPECT_EQ(editor->savedStatus()->text(), QStringLiteral("Unknown."));
    QTest::keyClicks(editor->field(0), QStringLiteral("hello from F1"));
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_TRUE(editor->savedStatus()->text().startsWith(QStringLiteral("Last Saved: ")));
    EXPECT_EQ(w.window().action(w.f().menu_Macro[0])->text(), QStringLiteral("hello from F1"));
    QTest::mouseClick(editor->closeButton(), Qt::LeftButton);
    // Outside a running event loop, the deletion a close asks for has to be fetched by hand.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(editor);

    QTest::keyClick(w.ui().txtOut, Qt::Key_F1);
    EXPECT_TRUE(w.sim().waitReceived(w.me, "SEND:PUBM:hello from F1"));
}

}  // namespace
}  // namespace orva
