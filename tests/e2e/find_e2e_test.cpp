// Finding text in the chat, and the chat view's own selection and menu, in the real window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "app/frm_main.h"
#include "e2e/client_world.h"
#include "qt/chat_view_widget.h"
#include "qt/find_bar.h"
#include "qt/lst_box_widget.h"
#include "qt/main_window.h"

namespace orva {
namespace {

// The line of the view whose text ends with tail, from the newest back.
std::size_t lineEnding(FrmMain& f, std::string_view tail) {
    for (std::size_t i = f.txtLog.lineCount(); i-- > 0;)
        if (f.txtLog.line(i).text.ends_with(tail)) return i;
    return SIZE_MAX;
}

// A point of the viewport over character index of a painted line.
QPoint pointAt(ChatViewWidget& view, std::size_t line, std::uint32_t index) {
    const QRect r = view.paintedRect(line);
    for (int x = 0; x < r.width(); ++x) {
        ChatViewWidget::Pos pos;
        if (view.charAt(QPoint(x, r.top() + 2), pos, false) && pos.line == line &&
            pos.index == index)
            return {x + 1, r.top() + 2};
    }
    return {-1, -1};
}

TEST(FindE2E, CtrlFTypingF3ShiftF3AndEscape) {
    ClientWorld w{zonesim::Options{}};
    w.window().resize(800, 600);
    ASSERT_TRUE(w.enterArena());
    FrmMain& f = w.f();
    int macroClicks = 0;  // F3 is also a macro's key, not while finding
    f.menu_Macro[2].clicked.connect([&] { ++macroClicks; });
    f.menu_Macro[2].Enabled.set(true);

    w.sim().sendLine(w.me, "MSG:PUB:Ann:apple pie");
    for (int i = 0; i < 60; ++i)
        w.sim().sendLine(w.me, "MSG:PUB:Ann:filler " + QByteArray::number(i));
    w.sim().sendLine(w.me, "MSG:PUB:Ann:APPLE tart and apple jam");
    ASSERT_TRUE(w.waitShows("apple jam"));
    w.settle();
    const std::size_t oldest = lineEnding(f, "apple pie");
    ChatViewWidget& view = w.view();
    ASSERT_FALSE(view.paintedRect(oldest).isValid());  // scrolled out of sight

    QLineEdit* out = w.ui().txtOut;
    out->setFocus();
    QTest::keyClick(out, Qt::Key_F, Qt::ControlModifier);
    FindBar* bar = w.ui().findBar;
    ASSERT_TRUE(bar->isVisible());
    ASSERT_TRUE(bar->field()->hasFocus());
    QTest::keyClicks(bar->field(), "aPPl");
    EXPECT_EQ(bar->status()->text(), QStringLiteral("1 of 3"));

    QWidget* field = bar->field();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* shows;
    } steps[] = {
        {Qt::Key_F3, Qt::NoModifier, "2 of 3"},        {Qt::Key_Return, Qt::NoModifier, "3 of 3"},
        {Qt::Key_F3, Qt::NoModifier, "1 of 3"},        {Qt::Key_F3, Qt::ShiftModifier, "3 of 3"},
        {Qt::Key_Return, Qt::ShiftModifier, "2 of 3"}, {Qt::Key_F3, Qt::ShiftModifier, "1 of 3"},
        {Qt::Key_F3, Qt::ShiftModifier, "3 of 3"},
    };
    for (const auto& s : steps) {
        QTest::keyClick(field, s.key, s.mods);
        EXPECT_EQ(bar->status()->text(), QString::fromLatin1(s.shows)) << s.shows;
    }
    EXPECT_EQ(macroClicks, 0);
    w.settle();
    view.repaint();
    EXPECT_TRUE(view.paintedRect(oldest).isValid());  // the current match brought into view

    QTest::keyClicks(field, "z");
    EXPECT_EQ(bar->status()->text(), QStringLiteral("No matches"));
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(out->hasFocus());
    EXPECT_EQ(view.height(), w.window().layoutState().txtLog.height);  // its whole place back
}

TEST(FindE2E, ClicksSelectWordAndLineAndTheMenuOffersItsItems) {
    ClientWorld w{zonesim::Options{}};
    w.window().resize(800, 600);
    ASSERT_TRUE(w.enterArena());
    w.sim().sendLine(w.me, "MSG:PUB:Ann:alpha beta_2 www.example.org");
    ASSERT_TRUE(w.waitShows("www.example.org"));
    w.settle();
    ChatViewWidget& view = w.view();
    view.repaint();
    const std::size_t line = lineEnding(w.f(), "www.example.org");
    const std::string_view text = w.f().txtLog.line(line).text;
    const auto at = [&](std::string_view word, int into) {
        return pointAt(view, line, static_cast<std::uint32_t>(text.find(word) + into));
    };
    QClipboard* clipboard = QApplication::clipboard();

    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at("beta_2", 2));
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("beta_2"));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at("beta_2", 2));
    QTest::keyClick(&view, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QString::fromLatin1(text.data(), static_cast<int>(text.size())));

    // The menu's items, over plain text and over the link; "Copy Link" copies the link.
    const auto menuAt = [&](QPoint p, const QString& choose) {
        QStringList items;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* a : menu->actions()) {
                items << a->text();
                if (a->text() == choose) a->trigger();
            }
            menu->close();
        });
        QContextMenuEvent e(QContextMenuEvent::Mouse, p, view.viewport()->mapToGlobal(p));
        QApplication::sendEvent(view.viewport(), &e);
        return items.join(',');
    };
    EXPECT_EQ(menuAt(at("alpha", 1), {}), QStringLiteral("Copy,Select All,Find..."));
    EXPECT_EQ(menuAt(at("example", 1), QStringLiteral("Copy Link")),
              QStringLiteral("Copy,Copy Link,Select All,Find..."));
    EXPECT_EQ(clipboard->text(), QStringLiteral("www.example.org"));
    menuAt(at("alpha", 1), QStringLiteral("Find..."));
    EXPECT_TRUE(w.ui().findBar->isVisible());

    // The wheel over the player list (not only over its bar) scrolls it.
    for (int i = 0; i < 60; ++i)
        w.sim().sendLine(w.me, "ENTERING:P" + QByteArray::number(i) + ":8:100");
    ASSERT_TRUE(w.waitShows("'P59'"));
    w.settle();
    QWidget* list = w.ui().lstUsers->listArea();
    const QPointF mid(list->width() / 3.0, list->height() / 2.0);
    QWheelEvent wheel(mid, list->mapToGlobal(mid), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &wheel);
    w.settle();
    EXPECT_GT(w.ui().lstUsers->verticalBar()->value(), 0);
}

}  // namespace
}  // namespace orva
