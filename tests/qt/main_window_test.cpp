#include "qt/main_window.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "qt/chat_view_widget.h"
#include "qt/log_window.h"
#include "qt/lst_box_widget.h"
#include "support/fakes.h"

namespace orva {
namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(f);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    const MainWindow::Widgets& ui() const { return window->ui(); }

    test::World world;
    FrmMain& f = world.f();
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, DesignTimeStateShows) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ORVA v.{0}.{1}"));
    EXPECT_TRUE(ui().frameMain->isVisible());
    EXPECT_TRUE(ui().frmLogin->isVisible());
    EXPECT_FALSE(ui().chatArea->isVisible());
    EXPECT_FALSE(ui().cmbManage->isVisible());
    EXPECT_FALSE(ui().lblSelProfile->isVisible());
    EXPECT_EQ(ui().cmbManage->itemText(0), QStringLiteral("(default)"));
    EXPECT_EQ(ui().lblProfileSt->text(), QStringLiteral("User0"));
    EXPECT_EQ(ui().txtPass->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(ui().cmdConnect->isEnabled());
    EXPECT_FALSE(ui().cmdPingOff->isEnabled());
    struct Text {
        QWidget* widget;
        QString text, tip;
    };
    const Text texts[] = {
        {ui().cmdPingOn, "Ping On", ""},
        {ui().cmdPingOff, "Ping Off", ""},
        {ui().ckPing, "Ping on by default.", ""},
        {ui().txtUser, "", "Enter Playername."},
        {ui().txtPass, "", "Profile Password. Click 'Save' to save."},
        {ui().txtAuto, "", "Seperate via \"\\\" (ie: ?sheep\\?version)"},
        {ui().txtchats, "", "Seperate via \",\" ie: chat1,chat2"},
        {ui().txtInitialArena, "", "Arena to login to. (Leave blank for public)"},
        {ui().cmdSavePass, "Save", "Save Password"},
        {ui().cmdSaveAuto, "Save", "Save Auto"},
        {ui().cmdSaveChats, "Save", "Save Chats"},
        {ui().cmdSaveArena, "Save", "Save Arena"},
        {ui().cmdConnect, "Connect", ""},
        {ui().cmdQuit, "Quit", ""},
        {ui().Command1, "Log", ""},
    };
    for (const Text& t : texts) {
        QString shown;
        if (auto* b = qobject_cast<QAbstractButton*>(t.widget)) shown = b->text();
        EXPECT_EQ(shown, t.text) << t.tip.toStdString();
        EXPECT_EQ(t.widget->toolTip(), t.tip) << t.text.toStdString();
    }
}

TEST_F(MainWindowTest, ModelChangesReachTheWidgets) {
    f.Caption.set("ORVA v.1.2");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ORVA v.1.2"));

    f.txtUser.Text.set("J\xF6rg \x80");
    EXPECT_EQ(ui().txtUser->text(), QStringLiteral("J\u00f6rg \u20ac"));
    f.txtUser.Locked.set(true);
    EXPECT_TRUE(ui().txtUser->isReadOnly());
    f.txtUser.ToolTipText.set("Field Locked. Use Config.ini to edit.");
    EXPECT_EQ(ui().txtUser->toolTip(), QStringLiteral("Field Locked. Use Config.ini to edit."));

    f.cmbManage.Visible.set(true);
    f.lblSelProfile.Visible.set(true);
    f.cmbManage.AddItem("Second");
    f.cmbManage.ListIndex.set(1);
    EXPECT_TRUE(ui().cmbManage->isVisible());
    EXPECT_EQ(ui().cmbManage->count(), 2);
    EXPECT_EQ(ui().cmbManage->currentText(), QStringLiteral("Second"));
    f.lblProfileSt.Caption.set("User1");
    EXPECT_EQ(ui().lblProfileSt->text(), QStringLiteral("User1"));

    f.cmdConnect.Enabled.set(true);
    EXPECT_TRUE(ui().cmdConnect->isEnabled());
    f.ckPing.Value.set(1);
    EXPECT_TRUE(ui().ckPing->isChecked());

    f.lstZones.AddItem("      Alpha                          ????");
    f.lstZones.AddItem("      Beta                           ????");
    f.lstZones.ListIndex.set(0);
    ASSERT_EQ(ui().lstZones->count(), 2);
    EXPECT_EQ(ui().lstZones->currentRow(), 0);
    f.lstZones.SetItem(1, "   12 Beta                              3");
    EXPECT_EQ(ui().lstZones->item(1)->text(),
              QStringLiteral("   12 Beta                              3"));

    f.txtOut.ForeColor.set(rgb(189, 191, 191));
    EXPECT_EQ(ui().txtOut->palette().color(QPalette::Text), QColor(189, 191, 191));
    f.txtOut.FontName.set("DejaVu Sans Mono");
    f.txtOut.FontSize.set(14);
    EXPECT_EQ(ui().txtOut->font().pointSize(), 14);
    EXPECT_EQ(ui().txtOut->font().family(), QStringLiteral("DejaVu Sans Mono"));
    f.txtOut.Locked.set(true);
    EXPECT_TRUE(ui().txtOut->isReadOnly());
}

TEST_F(MainWindowTest, ChatPartsShowExactlyWhileTheLoginPanelsAreHidden) {
    struct Step {
        bool frameMain, frmLogin, chat;
    };
    for (const Step& s : {Step{false, false, true}, Step{true, true, false},
                          Step{false, true, false}, Step{false, false, true}}) {
        f.frameMain.Visible.set(s.frameMain);
        f.frmLogin.Visible.set(s.frmLogin);
        EXPECT_EQ(ui().frameMain->isVisible(), s.frameMain);
        EXPECT_EQ(ui().frmLogin->isVisible(), s.frmLogin);
        EXPECT_EQ(ui().chatArea->isVisible(), s.chat);
        EXPECT_EQ(ui().txtOut->isVisible(), s.chat);
        EXPECT_EQ(ui().lstUsers->isVisible(), s.chat);
    }
    EXPECT_EQ(ui().picSplit->palette().color(QPalette::Window), QColor(64, 64, 64));
    EXPECT_EQ(ui().Line1->palette().color(QPalette::Window), QColor(128, 128, 128));
}

TEST_F(MainWindowTest, TypingWritesTheTextAndRaisesKeyPresses) {
    std::vector<int> codes;
    f.txtUser.keyPressed.connect([&](int code, bool& swallow) {
        codes.push_back(code);
        swallow = code == '|';
    });
    ui().txtUser->setFocus();
    QTest::keyClicks(ui().txtUser, "ab|c");
    QTest::sendKeyEvent(QTest::Click, ui().txtUser, Qt::Key_unknown, QStringLiteral("\u00e9"),
                        Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, ui().txtUser, Qt::Key_unknown, QStringLiteral("\u03a9"),
                        Qt::NoModifier);
    QTest::keyClick(ui().txtUser, Qt::Key_Return);
    QTest::keyClick(ui().txtUser, Qt::Key_Left);  // types nothing: no key press for the model
    EXPECT_EQ(f.txtUser.Text.get(), "abc\xE9?");
    EXPECT_EQ(ui().txtUser->text(), QStringLiteral("abc\u00e9?"));  // shown as stored
    EXPECT_EQ(codes, (std::vector<int>{'a', 'b', '|', 'c', 0xE9, '?', 13}));
}

TEST_F(MainWindowTest, FocusChangesReachTheModel) {
    std::vector<std::string> seen;
    f.txtUser.gotFocus.connect([&] { seen.push_back("user in"); });
    f.txtUser.lostFocus.connect([&] { seen.push_back("user out"); });
    f.lstZones.gotFocus.connect([&] { seen.push_back("zones in"); });
    f.txtUser.SetFocus();
    f.lstZones.SetFocus();
    EXPECT_EQ(seen, (std::vector<std::string>{"user in", "user out", "zones in"}));
    EXPECT_TRUE(ui().lstZones->hasFocus());
}

TEST_F(MainWindowTest, ClicksRaiseTheModelsEventsAfterItsStateChanged) {
    std::vector<std::string> seen;
    f.ckPing.clicked.connect(
        [&] { seen.push_back("ckPing " + std::to_string(f.ckPing.Value.get())); });
    f.cmdPingOn.clicked.connect([&] { seen.push_back("cmdPingOn"); });
    f.lstZones.clicked.connect(
        [&] { seen.push_back("lstZones " + std::to_string(f.lstZones.ListIndex.get())); });
    f.lstZones.AddItem("zone a");
    f.lstZones.AddItem("zone b");

    QTest::mouseClick(ui().ckPing, Qt::LeftButton, {}, QPoint(6, ui().ckPing->height() / 2));
    QTest::mouseClick(ui().cmdPingOn, Qt::LeftButton);
    const QRect row1 = ui().lstZones->visualItemRect(ui().lstZones->item(1));
    QTest::mouseClick(ui().lstZones->viewport(), Qt::LeftButton, {}, row1.center());
    QTest::mouseClick(ui().ckPing, Qt::LeftButton, {}, QPoint(6, ui().ckPing->height() / 2));
    f.cmdPingOn.Enabled.set(false);
    QTest::mouseClick(ui().cmdPingOn, Qt::LeftButton);  // disabled: nothing
    EXPECT_EQ(seen, (std::vector<std::string>{"ckPing 1", "cmdPingOn", "lstZones 1", "ckPing 0"}));
    // Setting the selection from the model is not a click.
    f.lstZones.ListIndex.set(0);
    EXPECT_EQ(seen.size(), 4u);
}

TEST_F(MainWindowTest, ProfileBoxKeysGoToTheModelFirst) {
    std::vector<int> codes;
    f.cmbManage.keyPressed.connect([&](int code, bool& swallow) {
        codes.push_back(code);
        swallow = true;  // the box's text cannot be edited
    });
    f.cmbManage.AddItem("Alpha");
    f.cmbManage.AddItem("Beta");
    f.cmbManage.ListIndex.set(0);
    f.cmbManage.Visible.set(true);
    ui().cmbManage->setFocus();
    QTest::keyClick(ui().cmbManage, Qt::Key_B);  // swallowed: no jump to "Beta"
    EXPECT_EQ(ui().cmbManage->currentIndex(), 0);
    QTest::keyClick(ui().cmbManage, Qt::Key_Down);
    EXPECT_EQ(f.cmbManage.ListIndex.get(), 1);
    QTest::keyClick(ui().cmbManage, Qt::Key_Return);
    EXPECT_EQ(codes, (std::vector<int>{'b', 13}));
}

struct MenuLine {
    QString text, shortcut;
    bool separator, enabled, visible, checkable;
};

std::vector<MenuLine> linesOf(QMenu* menu) {
    std::vector<MenuLine> lines;
    for (QAction* a : menu->actions())
        lines.push_back({a->text(), a->shortcut().toString(QKeySequence::PortableText),
                         a->isSeparator(), a->isEnabled(), a->isVisible(), a->isCheckable()});
    return lines;
}

void expectMenu(QMenu* menu, const QString& title, const std::vector<MenuLine>& want) {
    EXPECT_EQ(menu->title(), title);
    const auto got = linesOf(menu);
    ASSERT_EQ(got.size(), want.size()) << title.toStdString();
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(title.toStdString() + " item " + std::to_string(i));
        EXPECT_EQ(got[i].separator, want[i].separator);
        if (!want[i].separator) {
            EXPECT_EQ(got[i].text, want[i].text);
        }
        EXPECT_EQ(got[i].shortcut, want[i].shortcut);
        EXPECT_EQ(got[i].enabled, want[i].enabled);
        EXPECT_EQ(got[i].visible, want[i].visible);
        EXPECT_EQ(got[i].checkable, want[i].checkable);
    }
}

TEST_F(MainWindowTest, MenusAsDesigned) {
    const QList<QAction*> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 4);
    const MenuLine sep{"", "", true, true, true, false};
    expectMenu(ui().menu_File, "&File",
               {{"Connect", "Ctrl+C", false, true, true, false},
                {"Disconnect", "Ctrl+D", false, false, true, false},
                sep,
                {"Ignore Public Macros", "", false, true, true, true},
                {"Kill Messages", "", false, true, true, true},
                {"Highlight URL", "", false, true, true, true},
                {"Mute Sounds", "Ctrl+M", false, true, true, true},
                {"Reconnect Automatically", "", false, true, true, true},
                {"Desktop Notifications", "", false, true, true, true},
                {"Timestamps", "", false, true, true, true},
                sep,
                {"Font", "", false, true, true, false},
                {"Highlight Words...", "", false, true, true, false},
                sep,
                {"E&xit", "", false, true, true, false}});
    expectMenu(ui().menu_Zones, "&Zones",
               {{"-zone-", "", false, false, true, true},
                sep,
                {"Zone Manager", "", false, true, true, false}});
    std::vector<MenuLine> macros;
    for (int i = 1; i <= 8; ++i)
        macros.push_back({"-none-", QStringLiteral("F%1").arg(i), false, false, true, false});
    macros.push_back(sep);
    macros.push_back({"Macro Editor", "", false, true, true, false});
    expectMenu(ui().menu_Macros, "Macros", macros);
    expectMenu(ui().menu_Help, "&Help", {{"About...", "", false, true, true, false}});
}

TEST_F(MainWindowTest, ZoneMenuGrowsInOrderAboveTheManager) {
    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
        const int i = static_cast<int>(f.menu_Zone.size());
        f.menu_Zone.push_back(std::make_unique<MenuItem>(name));
        f.zoneMenuItemAdded.emit(i);
    }
    f.menu_Zone[0]->Caption.set("Zero");
    f.menu_Zone[0]->Enabled.set(true);
    f.menu_Zone[2]->Checked.set(true);
    const auto lines = linesOf(ui().menu_Zones);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].text, "Zero");
    EXPECT_TRUE(lines[0].enabled);
    EXPECT_EQ(lines[1].text, "Alpha");
    EXPECT_EQ(lines[2].text, "Beta");
    EXPECT_EQ(lines[3].text, "Gamma");
    EXPECT_TRUE(lines[4].separator);
    EXPECT_EQ(lines[5].text, "Zone Manager");
    EXPECT_TRUE(window->action(*f.menu_Zone[2])->isChecked());
    EXPECT_FALSE(window->action(*f.menu_Zone[1])->isChecked());
}

TEST_F(MainWindowTest, MenuClickRaisesClickedAndLeavesTheCheckMarkToTheModel) {
    int clicks = 0;
    f.menu_Mute.clicked.connect([&] { ++clicks; });
    QAction* mute = window->action(f.menu_Mute);
    mute->trigger();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(mute->isChecked());  // no handler ticked it
    f.menu_Mute.clicked.connect([&] { f.menu_Mute.Checked.set(!f.menu_Mute.Checked.get()); });
    mute->trigger();
    EXPECT_TRUE(mute->isChecked());
    EXPECT_TRUE(f.menu_Mute.Checked.get());
}

TEST_F(MainWindowTest, EnabledMenuShortcutWinsOverTheFocusedField) {
    struct Case {
        QWidget* focus;
        bool connectEnabled;
        int connects;       // menu_Connect.clicked raised
        QString clipboard;  // what Ctrl+C copied, if the field had it
    };
    f.txtUser.Text.set("Player");
    int connects = 0;
    f.menu_Connect.clicked.connect([&] { ++connects; });
    const Case cases[] = {
        {ui().txtUser, true, 1, "before"},
        {ui().lstZones, true, 1, "before"},
        {ui().txtUser, false, 0, "Player"},  // disabled: the field copies its selection
    };
    for (const Case& c : cases) {
        connects = 0;
        QApplication::clipboard()->setText("before");
        f.menu_Connect.Enabled.set(c.connectEnabled);
        c.focus->setFocus();
        ui().txtUser->selectAll();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(connects, c.connects) << c.focus->objectName().toStdString();
        EXPECT_EQ(QApplication::clipboard()->text(), c.clipboard);
        EXPECT_EQ(f.txtUser.Text.get(), "Player");  // never typed into the field
    }
}

TEST_F(MainWindowTest, FunctionKeysRunMacrosOnlyWhileEnabled) {
    std::vector<int> ran;
    for (int i = 0; i < 8; ++i)
        f.menu_Macro[static_cast<size_t>(i)].clicked.connect([&ran, i] { ran.push_back(i + 1); });
    f.menu_Macro[2].Enabled.set(true);
    f.menu_Macro[7].Enabled.set(true);
    ui().txtUser->setFocus();
    for (Qt::Key k : {Qt::Key_F1, Qt::Key_F3, Qt::Key_F8})
        QTest::keyClick(ui().txtUser, k);
    EXPECT_EQ(ran, (std::vector<int>{3, 8}));
}

TEST_F(MainWindowTest, AnyResizeStopsTheFlashing) {
    f.tmrflash->setInterval(250);
    f.tmrflash->setEnabled(true);
    window->resize(window->width() + 40, window->height() + 10);
    QTest::qWait(0);
    EXPECT_FALSE(f.tmrflash->enabled());
    // The parts follow: the player list stays against the right edge.
    f.frameMain.Visible.set(false);
    f.frmLogin.Visible.set(false);
    const QWidget* area = ui().chatArea;
    EXPECT_EQ(ui().lstUsers->geometry().right(), area->width() - 1);
    EXPECT_EQ(ui().picSplit->geometry().right() + 2, ui().lstUsers->geometry().left());
    EXPECT_EQ(ui().txtOut->width(), ui().txtLog->width());

    f.tmrflash->setEnabled(true);
    window->showMinimized();
    EXPECT_EQ(f.WindowState.get(), 1);
    window->showNormal();  // restoring from the taskbar
    EXPECT_FALSE(f.tmrflash->enabled());
    EXPECT_EQ(f.WindowState.get(), 0);
}

TEST_F(MainWindowTest, LogButtonShowsTheTraceWindowModeless) {
    QTest::mouseClick(ui().Command1, Qt::LeftButton);
    ASSERT_NE(window->logWindow(), nullptr);
    EXPECT_TRUE(window->logWindow()->isVisible());
    EXPECT_TRUE(window->logWindow()->isWindow());
    EXPECT_TRUE(f.frmLog.Visible.get());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    f.frmLog.Visible.set(false);
    EXPECT_FALSE(window->logWindow()->isVisible());
}

TEST_F(MainWindowTest, AboutBoxIsModalAndItsLabelsPlayTheCue) {
    window->action(f.menu_About)->trigger();
    ASSERT_NE(window->aboutBox(), nullptr);
    AboutBox* about = window->aboutBox();
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->isModal());
    const QList<ClickLabel*> labels = about->labels();
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_EQ(labels.front()->text(), QStringLiteral("ORVA"));
    QTest::mouseClick(labels.front(), Qt::LeftButton);
    ASSERT_EQ(world.sound.played.size(), 1u);
    EXPECT_EQ(world.sound.played[0], f.AppFolder + "bong24.wa2");
    f.Muted = 1;
    QTest::mouseClick(labels.back(), Qt::LeftButton);
    EXPECT_EQ(world.sound.played.size(), 1u);
    about->accept();
}

TEST_F(MainWindowTest, CloseAndShowRequests) {
    window->showMinimized();
    f.showRequested.emit();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
    f.closeRequested.emit();
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace orva
