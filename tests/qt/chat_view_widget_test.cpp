#include "qt/chat_view_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <functional>
#include <map>

#include "qt/codec.h"

#pragma push_macro("emit")
#undef emit
#include "support/fakes.h"
#include "view/chat_font.h"
#include "view/chat_lines.h"
#include "view/links.h"
#pragma pop_macro("emit")

namespace orva::test {
namespace {

struct ViewWorld : World {
    explicit ViewWorld(std::uint8_t points = 9, QSize size = {420, 160}) {
        f().ChatFontSize = points;
        UpdateFontFace(f());
        ResetChatView(f());
        widget = std::make_unique<ChatViewWidget>(f());
        widget->resize(size);
        widget->show();
        settle();
        widget->clearFocus();  // the only widget of its window gets the focus on show
        settle();
    }
    void settle() {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    void line(std::string text, std::uint8_t colour) { AppendChatLine(f(), text, colour); }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, widget->viewport()->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(widget->viewport(), &e);
    }
    void focus(bool in) {
        if (in) {
            widget->activateWindow();
            widget->setFocus(Qt::MouseFocusReason);
        } else {
            widget->clearFocus();
        }
        settle();
    }
    void key(int k, Qt::KeyboardModifiers mods) {
        QKeyEvent e(QEvent::KeyPress, k, mods);
        QApplication::sendEvent(widget.get(), &e);
    }
    std::unique_ptr<ChatViewWidget> widget;
};

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b)) <
           24;
}

TEST(ChatViewWidget, ShowsLinesInTheirColoursOnDark) {
    ViewWorld w(16, {480, 300});
    w.f().showURLs = 1;
    w.line("WWWWWW", ColorArena);
    w.line("WWWWWW", ColorModerator);
    w.line("WWWW www.x.org", ColorPublic);
    w.settle();
    const QImage image = w.widget->viewport()->grab().toImage();
    const std::map<std::size_t, std::vector<QRgb>> expected = {
        {1, {qRgb(115, 255, 99)}},
        {2, {qRgb(206, 8, 8)}},
        {3, {qRgb(160, 160, 255), qRgb(255, 250, 0)}},
    };
    const std::vector<QRgb> all = {qRgb(115, 255, 99), qRgb(206, 8, 8), qRgb(160, 160, 255),
                                   qRgb(255, 250, 0)};
    std::map<std::size_t, std::map<QRgb, int>> found;  // line -> palette colour -> pixels
    const qreal dpr = image.devicePixelRatio();
    for (int y = 0; y < image.height(); ++y) {
        ChatViewWidget::Pos pos;
        ASSERT_TRUE(w.widget->charAt(QPoint(5, static_cast<int>(y / dpr)), pos, true));
        for (int x = 0; x < image.width(); ++x)
            for (QRgb c : all)
                if (near(image.pixel(x, y), c)) ++found[pos.line][c];
    }
    for (const auto& [line, colours] : expected) {
        for (QRgb c : all) {
            const bool want = std::find(colours.begin(), colours.end(), c) != colours.end();
            if (want)
                EXPECT_GT(found[line][c], 10) << "line " << line << " colour " << std::hex << c;
            else
                EXPECT_EQ(found[line][c], 0) << "line " << line << " colour " << std::hex << c;
        }
    }
    EXPECT_EQ(image.pixel(image.width() - 2, image.height() - 2), qRgb(0, 0, 0));
}

// The line shown at a height of the viewport (-1 above the first row).
int lineAtY(ChatViewWidget& view, int y) {
    ChatViewWidget::Pos pos;
    return view.charAt(QPoint(2, y), pos, true) ? static_cast<int>(pos.line) : -1;
}

TEST(ChatViewWidget, LinkUnderlinesSitUnderTheirOwnRow) {
    struct Case {
        qreal scale;
        std::string text;
    } cases[] = {
        {1, "go www.x.org now"},
        {1, "www.a.org and http://b.org/c, fine"},
        {2, "go www.x.org now"},
    };
    for (const Case& c : cases) {
        ViewWorld w(12, {480, 200});
        w.f().showURLs = 1;
        w.line(c.text, ColorPublic);
        w.line("next line", ColorArena);
        w.settle();
        // Rendered at the case's scale, as on a high-density screen.
        QWidget* port = w.widget->viewport();
        QImage image(port->size() * c.scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(c.scale);
        port->render(&image);
        const qreal dpr = c.scale;
        int yellowInLink = 0, yellowElsewhere = 0, longestRun = 0;
        for (int y = 0; y < image.height(); ++y) {
            const int line = lineAtY(*w.widget, static_cast<int>(y / dpr));
            int run = 0;
            for (int x = 0; x < image.width(); ++x) {
                const bool yellow = near(image.pixel(x, y), qRgb(255, 250, 0));
                run = yellow ? run + 1 : 0;
                longestRun = std::max(longestRun, run);
                // Line 0 is the sample line, whose last "|" is yellow.
                if (yellow && line == 1) ++yellowInLink;
                if (yellow && line > 1) ++yellowElsewhere;
            }
        }
        EXPECT_GT(yellowInLink, 20) << c.text;
        EXPECT_EQ(yellowElsewhere, 0) << c.text << " at scale " << c.scale;
        // The underline: one unbroken stroke under a whole link of at least 9 characters.
        EXPECT_GT(longestRun, static_cast<int>(9 * 6 * dpr)) << c.text;
    }
}

TEST(ChatViewWidget, TopOfTheHistoryStartsAtTheTopEdge) {
    // A viewport height that is no multiple of the row height: anchoring the bottom line at
    // the bottom edge would cut the first row.
    ViewWorld w(9, {420, 163});
    for (int i = 0; i < 40; ++i)
        w.line("line " + std::to_string(i), ColorPublic);
    w.settle();
    QScrollBar* bar = w.widget->verticalScrollBar();
    bar->setValue(bar->minimum());
    w.settle();
    ASSERT_EQ(lineAtY(*w.widget, 0), 0);
    int first = 0, second = 0;
    while (lineAtY(*w.widget, first) == 0)
        ++first;
    second = first;
    while (lineAtY(*w.widget, second) == 1)
        ++second;
    EXPECT_EQ(first, second - first);  // the first row is whole
    // At the end, the newest line ends at the bottom edge.
    bar->setValue(bar->maximum());
    w.settle();
    const int bottom = w.widget->viewport()->height() - 1;
    EXPECT_EQ(lineAtY(*w.widget, bottom), 40);
}

TEST(ChatViewWidget, ScrollBarPictureFollowsItsHandle) {
    ViewWorld w;
    for (int i = 0; i < 200; ++i)
        w.line("line " + std::to_string(i), ColorPublic);
    w.settle();
    QScrollBar* bar = w.widget->verticalScrollBar();
    const QImage atEnd = bar->grab().toImage();
    for (int i = 0; i < 10; ++i)
        w.line("more " + std::to_string(i), ColorPublic);
    w.settle();
    EXPECT_EQ(bar->grab().toImage(), atEnd);  // the handle stays at the bottom
    bar->setValue(bar->minimum());
    w.settle();
    const QImage atTop = bar->grab().toImage();
    EXPECT_NE(atTop, atEnd);
    bar->setValue(bar->maximum());
    w.settle();
    EXPECT_EQ(bar->grab().toImage(), atEnd);
}

TEST(ChatViewWidget, SelectionSurvivesArrivingLinesWhileFocused) {
    ViewWorld w;
    for (int i = 0; i < 60; ++i)
        w.line("line number " + std::to_string(i), ColorPublic);
    w.settle();
    QScrollBar* bar = w.widget->verticalScrollBar();
    EXPECT_EQ(bar->value(), 60);  // unfocused: the newest line is shown
    w.focus(true);
    ASSERT_TRUE(w.f().ViewHasFocus);
    w.mouse(QEvent::MouseButtonPress, {10, 30}, Qt::LeftButton);
    w.mouse(QEvent::MouseMove, {200, 70}, Qt::LeftButton);
    w.mouse(QEvent::MouseButtonRelease, {200, 70}, Qt::NoButton);
    const QString selected = w.widget->selectedText();
    ASSERT_FALSE(selected.isEmpty());
    EXPECT_TRUE(selected.contains("line number 5")) << selected.toStdString();

    // Another program takes the focus: the view keeps it within its window.
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(w.widget.get(), &away);
    EXPECT_TRUE(w.f().ViewHasFocus);
    for (int i = 0; i < 100; ++i)
        w.line("more " + std::to_string(i), ColorStatus);
    w.settle();
    EXPECT_EQ(w.widget->selectedText(), selected);
    EXPECT_EQ(bar->value(), 60);

    w.focus(false);
    EXPECT_FALSE(w.f().ViewHasFocus);
    w.line("after focus left", ColorStatus);
    w.settle();
    EXPECT_FALSE(w.widget->hasSelection());
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(static_cast<std::size_t>(bar->value()), w.f().txtLog.lineCount() - 1);
}

TEST(ChatViewWidget, ScrollingBackKeepsThePlaceUntilTheEndIsReachedAgain) {
    const struct {
        const char* how;
        std::function<void(ViewWorld&)> back, toEnd;
    } cases[] = {
        {"wheel",
         [](ViewWorld& w) {
             const QPointF at(50, 50);
             QWheelEvent e(at, w.widget->viewport()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton,
                           Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(w.widget->viewport(), &e);
         },
         [](ViewWorld& w) {
             const QPointF at(50, 50);
             for (int i = 0; i < 10; ++i) {  // a wheel event scrolls a page at most
                 QWheelEvent e(at, w.widget->viewport()->mapToGlobal(at), {}, {0, -120},
                               Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                 QApplication::sendEvent(w.widget->viewport(), &e);
             }
         }},
        {"scroll bar",
         [](ViewWorld& w) {
             w.widget->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
         },
         [](ViewWorld& w) {
             w.widget->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
         }},
        {"keys", [](ViewWorld& w) { w.key(Qt::Key_PageUp, Qt::NoModifier); },
         [](ViewWorld& w) { w.key(Qt::Key_End, Qt::ControlModifier); }},
    };
    for (const auto& c : cases) {
        ViewWorld w;
        for (int i = 0; i < 60; ++i)
            w.line("line " + std::to_string(i), ColorPublic);
        w.settle();
        QScrollBar* bar = w.widget->verticalScrollBar();
        ASSERT_EQ(bar->value(), bar->maximum()) << c.how;
        c.back(w);
        w.settle();
        const int place = bar->value();
        ASSERT_LT(place, bar->maximum()) << c.how;
        ASSERT_FALSE(w.f().ViewHasFocus) << c.how;
        for (int i = 0; i < 10; ++i)
            w.line("more " + std::to_string(i), ColorPublic);
        w.settle();
        EXPECT_EQ(bar->value(), place) << c.how;

        c.toEnd(w);
        w.settle();
        w.line("follows again", ColorPublic);
        w.settle();
        EXPECT_EQ(static_cast<std::size_t>(bar->value()), w.f().txtLog.lineCount() - 1) << c.how;
    }
}

TEST(ChatViewWidget, CopyAndSelectAllGivePlainUnicodeText) {
    ViewWorld w;
    w.line("caf\xe9 \x80 {x} \\", ColorPublic);
    w.line("second", ColorArena);
    w.settle();
    w.key(Qt::Key_A, Qt::ControlModifier);
    w.key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QString::fromUtf8("||||||||\ncaf\u00e9 \u20ac {x} \\\nsecond"));
}

// A point of the viewport over a character, found by asking the widget; null if none.
QPoint pointOver(const ChatViewWidget& view, std::size_t line, std::uint32_t index) {
    for (int y = 0; y < view.viewport()->height(); y += 2)
        for (int x = 0; x < view.viewport()->width(); x += 2) {
            ChatViewWidget::Pos pos;
            if (view.charAt({x, y}, pos, false) && pos.line == line && pos.index == index)
                return {x, y};
        }
    return {};
}

TEST(ChatViewWidget, ClickOnALinkOpensItThroughTheShell) {
    ViewWorld w(12);
    w.f().showURLs = 1;
    w.line("go www.x.org now", ColorPublic);
    w.settle();
    const QPoint over = pointOver(*w.widget, 1, 5);  // the link's second character
    ASSERT_FALSE(over.isNull());
    w.mouse(QEvent::MouseMove, over, Qt::NoButton);
    EXPECT_EQ(w.f().HoverLink, "www.x.org");
    EXPECT_EQ(w.widget->viewport()->cursor().shape(), Qt::PointingHandCursor);
    w.mouse(QEvent::MouseButtonPress, over, Qt::LeftButton);
    EXPECT_EQ(w.shell.opened, std::vector<std::string>{"http://www.x.org"});
}

TEST(ChatViewWidget, ClickOpensWhatIsUnderThePointerWhenPressed) {
    // Lines arrive under a still pointer and move the text up by one line.
    const struct {
        std::string next;
        std::vector<std::string> opened;
    } cases[] = {
        {"go www.b.org now", {"http://www.b.org"}},
        {"nothing to open", {}},
    };
    for (const auto& c : cases) {
        ViewWorld w(12);
        w.f().showURLs = 1;
        for (int i = 0; i < 20; ++i)
            w.line("filler " + std::to_string(i), ColorArena);
        w.line("go www.a.org now", ColorPublic);
        w.settle();
        const std::size_t last = w.f().txtLog.lineCount() - 1;
        const QPoint over = pointOver(*w.widget, last, 5);
        ASSERT_FALSE(over.isNull());
        w.mouse(QEvent::MouseMove, over, Qt::NoButton);
        ASSERT_EQ(w.f().HoverLink, "www.a.org");
        w.line(c.next, ColorPublic);
        w.settle();
        w.mouse(QEvent::MouseButtonPress, over, Qt::LeftButton);
        EXPECT_EQ(w.shell.opened, c.opened) << c.next;
    }
}

TEST(ChatViewWidget, AResetForgetsTheRowsOfTheOldDocument) {
    ViewWorld w(9, {600, 160});
    w.f().showURLs = 1;
    for (int i = 0; i < 30; ++i)
        w.line("a long line of chat that runs well past the first few columns www.x.org " +
                   std::to_string(i),
               ColorPublic);
    w.settle();
    const std::size_t last = w.f().txtLog.lineCount() - 1;
    const QPoint over = pointOver(*w.widget, last, 70);
    ASSERT_FALSE(over.isNull());
    // A zone hop empties the view; the pointer moves and clicks before the next paint.
    ResetChatView(w.f());
    ChatViewWidget::Pos pos;
    EXPECT_FALSE(w.widget->charAt(over, pos, false));
    w.mouse(QEvent::MouseMove, over, Qt::NoButton);
    w.mouse(QEvent::MouseButtonPress, over, Qt::LeftButton);
    EXPECT_EQ(w.f().HoverLink, "");
    EXPECT_TRUE(w.shell.opened.empty());
}

TEST(ChatViewWidget, AnEmptyLineIsAsTallAsTheSizeOfItsParagraph) {
    for (std::uint8_t points : {9, 20}) {
        ViewWorld w(points, {420, 300});
        for (const char* text : {"above", "", "below", "last"})
            w.line(text, ColorPublic);
        w.settle();
        std::map<int, int> pixels;  // line -> rows of pixels it covers
        for (int y = 0; y < 300; ++y)
            ++pixels[lineAtY(*w.widget, y)];
        EXPECT_EQ(pixels[2], pixels[1]) << int{points};
        EXPECT_EQ(pixels[3], pixels[1]) << int{points};
    }
}

TEST(ChatViewWidget, OneRepaintPerTurnAndLongLinesWrap) {
    ViewWorld w(9, {200, 160});
    const std::size_t before = w.widget->paintCount();
    for (int i = 0; i < 2000; ++i)
        w.line("flood " + std::to_string(i), ColorStatus);
    w.settle();
    EXPECT_LE(w.widget->paintCount() - before, 3u);

    std::string longLine;
    for (int i = 0; i < 40; ++i)
        longLine += "word" + std::to_string(i) + " ";
    w.line(longLine, ColorTeam);
    w.settle();
    std::set<int> rowsOfLastLine;
    for (int y = 0; y < 160; ++y) {
        ChatViewWidget::Pos pos;
        if (w.widget->charAt({2, y}, pos, true) && pos.line == w.f().txtLog.lineCount() - 1)
            rowsOfLastLine.insert(static_cast<int>(pos.index));
    }
    EXPECT_GT(rowsOfLastLine.size(), 3u);  // several rows, each starting at a word
    for (int start : rowsOfLastLine)
        EXPECT_TRUE(start == 0 || longLine[static_cast<std::size_t>(start) - 1] == ' ') << start;
}

}  // namespace
}  // namespace orva::test
