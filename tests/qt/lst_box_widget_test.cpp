// The model first: Qt defines a macro named emit, which the model's signals use as a name.
#include "lstBox/lst_box.h"

#include <gtest/gtest.h>

#include "qt/settle.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <functional>
#include <set>
#include <tuple>

#include "qt/lst_box_widget.h"

namespace orva {

using test::settle;
namespace {

using Pixel = std::tuple<int, int, int>;

Pixel at(const QImage& img, int x, int y) {
    const QColor c = img.pixelColor(x, y);
    return {c.red(), c.green(), c.blue()};
}

// The colours found in one row's text area.
std::set<Pixel> rowColours(const QImage& img, int top, int height) {
    std::set<Pixel> out;
    for (int y = top; y < top + height && y < img.height(); ++y)
        for (int x = 10; x < img.width() - 30; ++x)
            out.insert(at(img, x, y));
    return out;
}

void click(QWidget* w, Qt::MouseButton button, int y) {
    const QPointF pos(20, y);
    QMouseEvent press(QEvent::MouseButtonPress, pos, w->mapToGlobal(pos), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, w->mapToGlobal(pos), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

struct Shown {
    LstBox model;
    LstBoxWidget widget{model};
    Shown() {
        widget.resize(240, 300);
        widget.show();
        settle(5);
    }
    QImage picture() { return widget.listArea()->grab().toImage(); }
};

TEST(LstBoxWidget, PaintsEntriesInTheirColoursOnBlack) {
    Shown s;
    s.model.AddItem("\\tGOLD");
    s.model.AddItem("\\eHGREY");
    s.model.AddItem("\\cIRED\\\\");
    s.model.AddItem("JBLACK");
    settle(5);
    const QImage img = s.picture();
    const int h = s.model.CharHeight;
    ASSERT_GT(h, 0);
    const Pixel black{0, 0, 0}, gold{255, 223, 0}, grey{189, 191, 191}, red{255, 0, 0};
    const struct {
        int row;
        Pixel colour;
    } cases[] = {{0, gold}, {1, grey}, {2, red}, {3, black}};
    for (const auto& c : cases) {
        const auto colours = rowColours(img, c.row * h, h);
        EXPECT_TRUE(colours.count(c.colour)) << c.row;
        for (const Pixel& other : {gold, grey, red})
            if (other != c.colour) {
                EXPECT_FALSE(colours.count(other)) << c.row;
            }
    }
    EXPECT_EQ(at(img, 100, 5 * h), black);  // below the entries
}

TEST(LstBoxWidget, PaintsMarkersForSelectionAndSpectators) {
    Shown s;
    s.model.isSpectator = [](const std::string& name) { return name == "sitter" || name == "zed"; };
    for (const char* e : {"\\tann", "\\esitter", "\\tzed"})
        s.model.AddItem(e);
    s.model.picList_MouseDown(1, 2 * s.model.CharHeight);  // select zed
    settle(5);
    const QImage img = s.picture();
    const int h = s.model.CharHeight;
    const Pixel red{206, 8, 8}, brown{99, 33, 0}, green{90, 206, 74}, black{0, 0, 0};
    const struct {
        int row, dx, dy;
        Pixel colour;
    } cases[] = {
        {0, 0, 0, black}, {0, 5, 0, black},                    // none
        {1, 0, 0, black}, {1, 5, 0, green}, {1, 4, 1, green},  // spectator
        {2, 0, 0, red},   {2, 0, 3, brown}, {2, 5, 0, green},  // both
        {2, 3, 3, red},   {2, 4, 3, black}, {2, 6, 3, green},
    };
    for (const auto& c : cases)
        EXPECT_EQ(at(img, 1 + c.dx, c.row * h + h - 10 + c.dy), c.colour)
            << c.row << " " << c.dx << "," << c.dy;
}

// The four markers as painted, pixel for pixel: R red, B brown, G green, . black.
TEST(LstBoxWidget, MarkersArePaintedPixelForPixel) {
    const char* const maps[4][8] = {
        {"R.......", "RR......", "RRR.....", "BRRR....", "RRR.....", "RR......", "R.......",
         "........"},
        {".....GGG", "....G...", ".....G..", "......G.", ".......G", "....GGG.", "........",
         "........"},
        {"R....GGG", "RR..G...", "RRR..G..", "BRRR..G.", "RRR....G", "RR..GGG.", "R.......",
         "........"},
        {"........", "........", "........", "........", "........", "........", "........",
         "........"},
    };
    const auto colour = [](char c) -> Pixel {
        switch (c) {
            case 'R':
                return {206, 8, 8};
            case 'B':
                return {99, 33, 0};
            case 'G':
                return {90, 206, 74};
            default:
                return {0, 0, 0};
        }
    };
    Shown s;
    s.model.isSpectator = [](const std::string& name) { return name == "sitter"; };
    s.model.AddItem("\\tann");     // row 0, selected as the first entry
    s.model.AddItem("\\esitter");  // row 1, a spectator
    const int h = s.model.CharHeight;
    const struct {
        int select;      // row clicked first, -1 none
        int row0, row1;  // markers expected
    } cases[] = {{-1, kMarkerSelected, kMarkerSpectator}, {1, kMarkerNone, kMarkerBoth}};
    for (const auto& c : cases) {
        if (c.select >= 0) s.model.picList_MouseDown(1, c.select * h);
        settle(5);
        const QImage img = s.picture();
        for (const auto& [row, marker] : {std::pair{0, c.row0}, std::pair{1, c.row1}})
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    EXPECT_EQ(at(img, 1 + x, row * h + h - 10 + y), colour(maps[marker][y][x]))
                        << "marker " << marker << " at " << x << "," << y;
    }
}

TEST(LstBoxWidget, MouseAndKeysDriveTheSelection) {
    Shown s;
    for (int i = 0; i < 5; ++i)
        s.model.AddItem("\\tp" + std::to_string(i));
    settle(5);
    QWidget* area = s.widget.listArea();
    const int h = s.model.CharHeight;
    click(area, Qt::LeftButton, 3 * h + 1);
    EXPECT_EQ(s.model.listIndex(), 3);
    click(area, Qt::RightButton, 1 * h + 1);
    EXPECT_EQ(s.model.listIndex(), 3);
    click(area, Qt::LeftButton, 9 * h);  // below the last entry
    EXPECT_EQ(s.model.listIndex(), 3);

    QMouseEvent drag(QEvent::MouseMove, QPointF(20, h + 1), QPointF(20, h + 1), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &drag);
    EXPECT_EQ(s.model.listIndex(), 1);

    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(area, &down);
    QApplication::sendEvent(area, &down);
    EXPECT_EQ(s.model.listIndex(), 3);
    settle(5);
    EXPECT_EQ(s.widget.verticalBar()->value(), 3);  // the selection scrolled to the top

    s.widget.verticalBar()->setValue(1);  // the user drags the bar
    EXPECT_EQ(s.model.TopIndex, 1);
}

TEST(LstBoxWidget, ManyChangesInOneTurnPaintOnce) {
    Shown s;
    const int before = s.widget.paintCount();
    for (int i = 0; i < 300; ++i) {
        s.model.AddItem("\\eplayer" + std::to_string(i));
        s.model.setCount(std::to_string(i + 1) + " players.");
    }
    s.model.updateList();
    settle(5);
    EXPECT_EQ(s.widget.paintCount(), before + 1);
    EXPECT_EQ(s.widget.countLabel()->text(), QStringLiteral("300 players."));
    EXPECT_EQ(s.widget.verticalBar()->maximum(), 300);

    // The list shrinks before the repaint: the pass only sees what is left.
    for (int i = 0; i < 299; ++i)
        s.model.deleteIndex(0);
    settle(5);
    EXPECT_EQ(s.widget.paintCount(), before + 2);
    const QImage img = s.picture();
    EXPECT_EQ(at(img, 100, 2 * s.model.CharHeight), (Pixel{0, 0, 0}));
}

TEST(LstBoxWidget, BarShowsTheTopRowAfterTheListShrinks) {
    const struct {
        const char* then;
        std::function<void(LstBox&)> op;
        int top, max;
    } cases[] = {
        // Thirty entries, scrolled to 25, twenty deleted: the bar keeps its maximum of 30 until
        // an insert sets it to the new count, which pulls the top row down with it.
        {"nothing", [](LstBox&) {}, 25, 30},
        {"AddItem", [](LstBox& l) { l.AddItem("\\tzz"); }, 11, 11},
        {"Original_Insert", [](LstBox& l) { l.Original_Insert("\\tzz"); }, 11, 11},
        {"clearList", [](LstBox& l) { l.clearList(); }, 0, 0},
    };
    for (const auto& c : cases) {
        Shown s;
        for (int i = 0; i < 30; ++i)
            s.model.AddItem("\\tp" + std::to_string(100 + i));
        settle(5);
        s.widget.verticalBar()->setValue(25);
        for (int i = 0; i < 20; ++i)
            s.model.deleteIndex(0);
        c.op(s.model);
        settle(5);
        EXPECT_EQ(s.model.TopIndex, c.top) << c.then;
        EXPECT_EQ(s.widget.verticalBar()->value(), c.top) << c.then;
        EXPECT_EQ(s.widget.verticalBar()->maximum(), c.max) << c.then;
    }
}

TEST(LstBoxWidget, ClearingLeavesTheOldRowsUntilTheNextRedraw) {
    Shown s;
    s.model.AddItem("\\tGOLD");
    settle(5);
    const Pixel gold{255, 223, 0};
    // What the screen holds now, not a fresh rendering.
    const auto screen = [&] {
        QWidget* area = s.widget.listArea();
        return QGuiApplication::primaryScreen()
            ->grabWindow(s.widget.winId(), area->x(), area->y(), area->width(), area->height())
            .toImage();
    };
    ASSERT_TRUE(rowColours(screen(), 0, s.model.CharHeight).count(gold));
    s.model.clearList();
    settle(5);
    EXPECT_TRUE(rowColours(screen(), 0, s.model.CharHeight).count(gold));
    s.model.updateList();
    settle(5);
    EXPECT_FALSE(rowColours(screen(), 0, s.model.CharHeight).count(gold));
}

TEST(LstBoxWidget, CaptionStartsAtNoPlayersInTheLabelFont) {
    LstBox model;
    LstBoxWidget widget(model);
    EXPECT_EQ(widget.countLabel()->text(), QStringLiteral("0 players."));
    EXPECT_EQ(widget.countLabel()->font().family(), QStringLiteral("Tahoma"));
    model.setCount("\xE9quipe");  // code page 1252 shown as Unicode
    settle(5);
    EXPECT_EQ(widget.countLabel()->text(), QString::fromUtf8("\xC3\xA9quipe"));
}

}  // namespace
}  // namespace orva
