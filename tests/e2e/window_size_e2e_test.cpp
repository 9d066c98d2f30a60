// The real main window at its opening size and resized: every part in view, none over another.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <cstdlib>
#include <set>
#include <string>

#include "e2e/client_world.h"
#include "platform/qt/lst_box_widget.h"

namespace orva {
namespace {

using zonesim::pumpUntil;

void snapshot(ClientWorld& w, const char* name) {
    if (const char* stem = std::getenv("ORVA_SCREENSHOT"))
        w.window().grab().save(QString::fromLocal8Bit(stem) + QStringLiteral("-") +
                               QLatin1String(name) + QStringLiteral(".png"));
}

QRect in(const QWidget* w, const QWidget* ancestor) {
    return QRect(w->mapTo(ancestor, QPoint(0, 0)), w->size());
}

// The visible controls of a panel lie inside it, none over another, none squeezed below the
// height its text needs.
void expectTidy(const QWidget* panel) {
    std::vector<QRect> seen;
    for (const QWidget* c : panel->findChildren<QWidget*>()) {
        if (!c->isVisible() ||
            !(qobject_cast<const QLineEdit*>(c) || qobject_cast<const QPushButton*>(c) ||
              qobject_cast<const QLabel*>(c) || qobject_cast<const QListWidget*>(c)))
            continue;
        const QRect r = in(c, panel);
        SCOPED_TRACE(c->objectName().isEmpty() ? c->metaObject()->className()
                                               : c->objectName().toStdString());
        EXPECT_TRUE(panel->rect().contains(r)) << r.x() << "," << r.y() << " " << r.width();
        EXPECT_GE(c->height(), c->minimumSizeHint().height());
        for (const QRect& other : seen)
            EXPECT_FALSE(other.intersects(r));
        seen.push_back(r);
    }
}

// Distinct chat lines with a row in the view.
int linesInView(ChatViewWidget& view) {
    std::set<std::size_t> lines;
    for (int y = 0; y < view.viewport()->height(); ++y) {
        ChatViewWidget::Pos pos;
        if (view.charAt(QPoint(5, y), pos, true)) lines.insert(pos.line);
    }
    return static_cast<int>(lines.size());
}

TEST(WindowSizeE2E, OpensShowingEverythingAndKeepsItInPlaceWhenResized) {
    ClientWorld w{zonesim::Options{}};
    ASSERT_TRUE(w.started);
    w.settle();
    const auto& ui = w.ui();
    snapshot(w, "open-login");
    EXPECT_GE(ui.lstZones->height(), 8 * ui.lstZones->sizeHintForRow(0));
    for (const QSize size : {QSize(800, 600), QSize(1920, 1080), w.window().size()}) {
        SCOPED_TRACE(size.width());
        w.window().resize(size);
        w.settle();
        // The login panels fill the window side by side.
        EXPECT_EQ(ui.frmLogin->geometry().right(), w.window().centralWidget()->width() - 1);
        EXPECT_EQ(ui.frameMain->geometry().right() + 1, ui.frmLogin->x());
        expectTidy(ui.frmLogin);
        expectTidy(ui.frameMain);
        snapshot(w, ("login-" + std::to_string(size.width())).c_str());
    }

    ASSERT_TRUE(w.enterArena());
    for (int i = 0; i < 40; ++i)
        w.sim().sendLine(w.me, "ENTERING:Bot" + QByteArray::number(i) + ":8:100");
    ASSERT_TRUE(w.waitShows("Player 'Bot39' just entered arena."));
    w.settle();
    snapshot(w, "open-chat");
    EXPECT_GE(linesInView(w.view()), 25);

    for (const QSize size : {QSize(800, 600), QSize(1920, 1080), QSize(640, 400)}) {
        SCOPED_TRACE(size.width());
        w.window().resize(size);
        w.settle();
        const QWidget* c = w.window().centralWidget();
        // The player list against the right edge, the bar one pixel left of it, the chat view
        // and the input line filling the rest, the input line at the bottom.
        EXPECT_EQ(ui.lstUsers->geometry().right(), c->width() - 1);
        EXPECT_EQ(ui.lstUsers->height(), c->height());
        EXPECT_EQ(ui.picSplit->geometry().right() + 2, ui.lstUsers->x());
        EXPECT_LT(ui.txtLog->geometry().right(), ui.picSplit->x());
        EXPECT_EQ(ui.txtOut->width(), ui.txtLog->width());
        EXPECT_EQ(ui.txtOut->geometry().bottom(), c->height());
        EXPECT_GT(ui.txtOut->y(), ui.txtLog->geometry().bottom());
        snapshot(w, ("chat-" + std::to_string(size.width())).c_str());
    }
}

}  // namespace
}  // namespace orva
