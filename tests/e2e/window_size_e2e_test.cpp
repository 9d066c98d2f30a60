// The real main window at its opening size and resized: every part in view, none over another.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <set>
#include <string>

#include "e2e/client_world.h"
#include "qt/lst_box_widget.h"

namespace orva {
namespace {

// The panel's fields, buttons and labels lie inside it, none over another, none squeezed below
// the height its text needs.
void expectTidy(const QWidget* panel) {
    std::vector<QRect> seen;
    for (const QWidget* c : panel->findChildren<QWidget*>()) {
        if (!c->isVisible() ||
            !(qobject_cast<const QLineEdit*>(c) || qobject_cast<const QPushButton*>(c) ||
              qobject_cast<const QLabel*>(c)))
            continue;
        const QRect r(c->mapTo(panel, QPoint(0, 0)), c->size());
        EXPECT_TRUE(panel->rect().contains(r)) << c->metaObject()->className();
        EXPECT_GE(c->height(), c->minimumSizeHint().height());
        for (const QRect& other : seen)
            EXPECT_FALSE(other.intersects(r));
        seen.push_back(r);
    }
}

TEST(WindowSizeE2E, OpensShowingEverythingAndKeepsItInPlaceWhenResized) {
    ClientWorld w{zonesim::Options{}};
    ASSERT_TRUE(w.started);
    const auto& ui = w.ui();
    const QWidget* c = w.window().centralWidget();
    const QSize sizes[] = {QSize(800, 600), QSize(1920, 1080), w.window().size()};
    for (const QSize size : sizes) {
        SCOPED_TRACE(size.width());
        w.window().resize(size);
        w.settle();
        EXPECT_EQ(ui.frmLogin->geometry().right(), c->width() - 1);
        EXPECT_GE(ui.lstZones->height(), 8 * ui.lstZones->sizeHintForRow(0));
        expectTidy(ui.frmLogin);
        expectTidy(ui.frameMain);
    }

    ASSERT_TRUE(w.enterArena());
    for (int i = 0; i < 40; ++i)
        w.sim().sendLine(w.me, "ENTERING:Bot" + QByteArray::number(i) + ":8:100");
    ASSERT_TRUE(w.waitShows("Player 'Bot39' just entered arena."));
    w.settle();
    // At the opening size the chat view holds 25 lines or more.
    std::set<std::size_t> lines;
    for (int y = 0; y < w.view().viewport()->height(); ++y)
        if (ChatViewWidget::Pos pos; w.view().charAt(QPoint(5, y), pos, true))
            lines.insert(pos.line);
    EXPECT_GE(lines.size(), 25u);

    for (const QSize size : {sizes[0], sizes[1], QSize(640, 400)}) {
        SCOPED_TRACE(size.width());
        w.window().resize(size);
        w.settle();
        // The player list against the right edge; the chat view and input line fill the rest.
        EXPECT_EQ(ui.lstUsers->geometry().right(), c->width() - 1);
        EXPECT_LT(ui.txtLog->geometry().right(), ui.picSplit->x());
        EXPECT_LT(ui.picSplit->geometry().right(), ui.lstUsers->x());
        EXPECT_GT(ui.txtOut->y(), ui.txtLog->geometry().bottom());
    }
}

}  // namespace
}  // namespace orva
