// The program as assistive technology reads it through Qt's accessibility interfaces.
#include "lstBox/lst_box.h"

#include <gtest/gtest.h>

#include "qt/settle.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <vector>

#include "qt/chat_view_widget.h"
#include "qt/lst_box_widget.h"
#include "qt/main_window.h"

#pragma push_macro("emit")
#undef emit
#include "support/fakes.h"
#include "view/chat_font.h"
#include "view/chat_lines.h"
#pragma pop_macro("emit")

namespace orva::test {
namespace {

QStringList rowNames(QAccessibleInterface* list) {
    QStringList out;
    for (int i = 0; i < list->childCount(); ++i) {
        QAccessibleInterface* row = list->child(i);
        EXPECT_EQ(row->role(), QAccessible::ListItem);
        EXPECT_EQ(row->parent(), list);
        EXPECT_EQ(list->indexOfChild(row), i);
        EXPECT_EQ(list->child(i), row) << "a row keeps its identity";
        out << row->text(QAccessible::Name);
    }
    return out;
}

// The chat lines and the player rows are drawn, not widgets: each must still be an item whose
// name is the text as shown, and the item the keyboard is at must be the focused one.
TEST(Accessibility, DrawnListsExposeTheirRows) {
    World world;
    FrmMain& f = world.f();
    UpdateFontFace(f);
    ResetChatView(f);
    QWidget window;
    auto* chat = new ChatViewWidget(f, &window);
    auto* players = new LstBoxWidget(f.lstUsers, &window);
    chat->setGeometry(0, 0, 300, 200);
    players->setGeometry(300, 0, 150, 200);
    window.resize(450, 200);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    std::string brace = "a {brace} and \\ here", cafe = "caf\xE9", last = "last";
    for (std::string* text : {&brace, &cafe, &last})
        AppendChatLine(f, *text, 3);
    f.lstUsers.AddItem("\\tAlice");
    f.lstUsers.AddItem("\\eBob");
    settle();

    QAccessibleInterface* chatList = QAccessible::queryAccessibleInterface(chat);
    QAccessibleInterface* playerList = QAccessible::queryAccessibleInterface(players->listArea());
    ASSERT_TRUE(chatList && playerList);
    struct Case {
        QAccessibleInterface* list;
        QString name;
        QStringList rows;
    };
    for (const Case& c :
         {Case{chatList,
               "Chat",
               {"||||||||", "a {brace} and \\ here", QString::fromUtf8("café"), "last"}},
          Case{playerList, "Players", {"Alice", "Bob"}}}) {
        EXPECT_EQ(c.list->role(), QAccessible::List);
        EXPECT_EQ(c.list->text(QAccessible::Name), c.name);
        EXPECT_EQ(rowNames(c.list), c.rows);
        EXPECT_EQ(c.list->child(c.rows.size()), nullptr);
        // Rows on screen lie inside their list, one below the other.
        QRect above;
        for (int i = 0; i < c.rows.size(); ++i) {
            const QRect r = c.list->child(i)->rect();
            EXPECT_TRUE(c.list->rect().contains(r)) << i;
            EXPECT_GE(r.top(), above.bottom()) << i;
            above = r;
        }
    }

    // The current line follows the caret: the last line shown, then the line clicked.
    chat->activateWindow();
    chat->setFocus(Qt::OtherFocusReason);
    settle();
    ASSERT_TRUE(chat->hasFocus());
    EXPECT_EQ(chatList->focusChild(), chatList->child(3));
    const QPointF top(40, 2);
    QMouseEvent press(QEvent::MouseButtonPress, top, chat->viewport()->mapToGlobal(top),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(chat->viewport(), &press);
    EXPECT_EQ(chatList->focusChild(), chatList->child(0));
    EXPECT_TRUE(chatList->child(0)->state().focused);
    chat->selectAll();
    EXPECT_TRUE(chatList->child(1)->state().selected);
    EXPECT_EQ(chatList->focusChild(), chatList->child(3));

    // The player row selected with the keys is the focused, selected item.
    players->listArea()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(players->listArea(), Qt::Key_Down);
    settle();
    const int selected = f.lstUsers.listIndex();
    ASSERT_GE(selected, 0);
    EXPECT_EQ(playerList->focusChild(), playerList->child(selected));
    EXPECT_TRUE(playerList->child(selected)->state().selected);
    EXPECT_FALSE(playerList->child(1 - selected)->state().selected);

    // A new document leaves the colour samples only; rows past the end are gone.
    QAccessibleInterface* gone = chatList->child(3);
    const QAccessible::Id goneId = QAccessible::uniqueId(gone);
    ResetChatView(f);
    f.lstUsers.clearList();
    settle();
    EXPECT_EQ(chatList->childCount(), 1);
    EXPECT_EQ(playerList->childCount(), 0);
    if (QAccessibleInterface* stale = QAccessible::accessibleInterface(goneId)) {
        EXPECT_FALSE(stale->isValid());
    }
}

class AccessibleWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(f);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    World world;
    FrmMain& f = world.f();
    std::unique_ptr<MainWindow> window;
};

// Every control has a name a screen reader can say, and Tab walks the login page in reading
// order, reaching every control.
TEST_F(AccessibleWindowTest, LoginPageNamesAndTabOrder) {
    const MainWindow::Widgets& ui = window->ui();
    f.cmbManage.Visible.set(true);
    f.lblSelProfile.Visible.set(true);
    f.cmdPingOff.Enabled.set(true);
    f.cmdConnect.Enabled.set(true);
    settle();

    const std::vector<std::pair<QWidget*, QString>> login = {
        {ui.lstZones, "Zones"},
        {ui.cmdPingOn, "Ping On"},
        {ui.cmdPingOff, "Ping Off"},
        {ui.ckPing, "Ping on by default."},
        {ui.cmbManage, "Select Profile: "},
        {ui.txtUser, "Name:"},
        {ui.txtPass, "Password:"},
        {ui.cmdSavePass, "Save Password"},
        {ui.txtAuto, "Auto-commands:"},
        {ui.cmdSaveAuto, "Save Auto"},
        {ui.txtchats, "Channels:"},
        {ui.cmdSaveChats, "Save Chats"},
        {ui.txtInitialArena, "Initial arena:"},
        {ui.cmdSaveArena, "Save Arena"},
        {ui.cmdConnect, "Connect"},
        {ui.Command1, "Log"},
        {ui.cmdQuit, "Quit"},
    };
    auto nameOf = [](QWidget* w) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        return iface ? iface->text(QAccessible::Name) : QString();
    };
    for (const auto& [widget, name] : login)
        EXPECT_EQ(nameOf(widget), name) << widget->metaObject()->className();
    for (const auto& [widget, name] : std::vector<std::pair<QWidget*, QString>>{
             {ui.txtLog, "Chat"}, {ui.txtOut, "Message"}, {ui.lstUsers->listArea(), "Players"}})
        EXPECT_EQ(nameOf(widget), name);
    // Whatever takes the focus anywhere in the window is named.
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->focusPolicy() & Qt::TabFocus) {
            EXPECT_FALSE(nameOf(w).isEmpty()) << w->metaObject()->className();
        }

    // Text written through the accessibility interface reaches the model, as typed text does;
    // a locked field keeps its text.
    f.txtUser.Text.set("Kept");
    f.txtUser.Locked.set(true);
    struct Write {
        QLineEdit* box;
        TextBox& model;
        std::string expected;
    };
    for (const Write& w :
         {Write{ui.txtPass, f.txtPass, "secret"}, Write{ui.txtUser, f.txtUser, "Kept"}}) {
        QAccessible::queryAccessibleInterface(w.box)->setText(QAccessible::Value, "secret");
        settle();
        EXPECT_EQ(w.model.Text.get(), w.expected);
        EXPECT_EQ(w.box->text().toStdString(), w.expected);
    }

    ui.lstZones->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> reached;
    for (int i = 0; i < 40 && QApplication::focusWidget(); ++i) {
        reached.push_back(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == ui.lstZones) break;
    }
    std::vector<QWidget*> expected;
    for (const auto& [widget, name] : login)
        expected.push_back(widget);
    EXPECT_EQ(reached, expected);
    EXPECT_EQ(QApplication::focusWidget(), ui.lstZones) << "Tab comes round to the zone list";
}

}  // namespace
}  // namespace orva::test
