// The real window's chat view against the zone simulator: lines in their colours, and a reader's
// selection kept while lines arrive.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "app/frm_main.h"
#include "app/handlers.h"
#include "app/startup.h"
#include "e2e/client_world.h"
#include "qt/chat_view_widget.h"
#include "qt/main_window.h"
#include "qt/qt_platform.h"
#include "view/chat_lines.h"
#include "zonesim.h"

namespace orva {
namespace {

using zonesim::pumpUntil;

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b)) <
           24;
}

TEST(ChatViewE2E, ReceivedLinesShowInTheirColours) {
    ClientWorld w{zonesim::Options{}};
    w.window().resize(800, 600);
    ASSERT_TRUE(w.started);
    ASSERT_TRUE(w.enterArena());
    w.sim().sendLine(w.me, "ENTERING:Ann:8:100");
    w.sim().sendLine(w.me, "KILL:Ann:Bo:5:2");
    ASSERT_TRUE(w.waitShows("Bo(5:2) killed by Ann."));
    w.settle();
    ChatViewWidget& view = w.view();
    const QImage image = view.viewport()->grab().toImage();
    const qreal dpr = image.devicePixelRatio();
    // A status line (white) and a kill notice (pink).
    const std::size_t status = w.f().txtLog.lineCount() - 2, kill = status + 1;
    ASSERT_EQ(w.f().txtLog.line(status).text, "Player 'Ann' just entered arena.")
        << w.f().txtLog.Text();
    const QRgb white = qRgb(255, 255, 255), pink = qRgb(255, 153, 153);
    std::map<std::size_t, std::map<QRgb, int>> found;  // line -> colour -> pixels
    for (int y = 0; y < image.height(); ++y) {
        ChatViewWidget::Pos pos;
        if (!view.charAt(QPoint(5, static_cast<int>(y / dpr)), pos, true)) continue;
        for (int x = 0; x < image.width(); ++x)
            for (QRgb c : {white, pink})
                if (near(image.pixel(x, y), c)) ++found[pos.line][c];
    }
    EXPECT_GT(found[status][white], 20);
    EXPECT_EQ(found[status][pink], 0);
    EXPECT_GT(found[kill][pink], 20);
    EXPECT_EQ(found[kill][white], 0);
}

TEST(ChatViewE2E, SelectionAndPlaceSurviveArrivingLinesWhileTheViewHasTheFocus) {
    ClientWorld w{zonesim::Options{}};
    w.window().resize(800, 600);
    ASSERT_TRUE(w.started);
    ASSERT_TRUE(w.enterArena());
    for (int i = 0; i < 80; ++i)
        w.sim().sendLine(w.me, "ENTERING:P" + QByteArray::number(i) + ":8:100");
    ASSERT_TRUE(w.waitShows("'P79'"));
    w.settle();
    ChatViewWidget& view = w.view();
    QScrollBar* bar = view.verticalScrollBar();
    ASSERT_EQ(bar->value(), bar->maximum());
    bar->setValue(bar->maximum() - 30);
    w.settle();

    // The reader selects with the mouse, which gives the view the focus.
    QWidget* port = view.viewport();
    QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseMove(port, QPoint(150, 60));
    QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, QPoint(150, 60));
    w.settle();
    ASSERT_TRUE(w.f().ViewHasFocus);
    const QString selected = view.selectedText();
    ASSERT_TRUE(selected.contains(QStringLiteral("entered"))) << selected.toStdString();
    const int place = bar->value();

    for (int i = 0; i < 40; ++i)
        w.sim().sendLine(w.me, "LEAVING:P" + QByteArray::number(i));
    ASSERT_TRUE(w.waitShows("'P39' just left"));
    w.settle();
    EXPECT_EQ(view.selectedText(), selected);
    EXPECT_EQ(bar->value(), place);
    EXPECT_LT(bar->value(), bar->maximum());
}

// The File menu's Timestamps puts the local time before lines shown from then on, never into the
// log; leaving the window puts the read marker above the first line that arrives while away.
TEST(ChatViewE2E, TimestampsAndReadMarker) {
    ClientWorld w{zonesim::Options{}};
    w.window().resize(800, 600);
    ASSERT_TRUE(w.started);
    w.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window()));
    ASSERT_TRUE(w.enterArena());
    auto type = [&](const char* text) {
        QTest::keyClicks(w.ui().txtOut, QString::fromLatin1(text));
        QTest::keyClick(w.ui().txtOut, Qt::Key_Return);
    };
    type("?log stamps.txt");
    w.window().action(w.f().menu_Timestamps)->trigger();
    ASSERT_TRUE(w.window().action(w.f().menu_Timestamps)->isChecked());

    const LocalTime before = w.f().env.clock.localTime();
    w.sim().sendLine(w.me, "MSG:PUB:Bob:stamped");
    ASSERT_TRUE(w.waitShows("Bob> stamped"));
    const LocalTime after = w.f().env.clock.localTime();
    const std::string shown(w.f().txtLog.line(w.f().txtLog.lineCount() - 1).text);
    EXPECT_TRUE(shown.starts_with(TimeStamp(before)) || shown.starts_with(TimeStamp(after)))
        << shown;
    type("?log");
    std::ifstream in(w.f().AppFolder + "logs/stamps.txt", std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(log.find("\r\n   " + std::string(11, ' ') + "Bob> stamped\r\n"), std::string::npos)
        << log;

    ChatViewWidget& view = w.view();
    w.settle();
    EXPECT_TRUE(view.markerRect().isEmpty());
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_FALSE(w.f().WindowActive.get());
    w.sim().sendLine(w.me, "MSG:PUB:Bob:while away");
    w.sim().sendLine(w.me, "MSG:PUB:Bob:and more");
    ASSERT_TRUE(w.waitShows("Bob> and more"));
    w.settle();
    const std::size_t away = w.f().txtLog.lineCount() - 2;
    ASSERT_EQ(w.f().txtLog.markerLine(), away);
    const QRect marker = view.markerRect();
    ASSERT_FALSE(marker.isEmpty());
    const int border = view.paintedRect(away).top();
    EXPECT_TRUE(marker.top() <= border && border <= marker.bottom()) << border;
    EXPECT_EQ(marker.width(), view.viewport()->width());
}

}  // namespace
}  // namespace orva
