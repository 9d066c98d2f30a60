// The real program start, offscreen, from a temporary program folder: the zone list shows and the
// window closes cleanly.
#include <gtest/gtest.h>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "app/handlers.h"
#include "app/startup.h"
#include "e2e/recording_dialogs.h"
#include "qt/main_window.h"
#include "qt/qt_platform.h"

namespace orva {
namespace {

void writeFile(const QTemporaryDir& dir, const char* name, const std::string& bytes) {
    std::ofstream(dir.filePath(QString::fromLatin1(name)).toStdString(), std::ios::binary) << bytes;
}

// Saves a picture of the window when ORVA_SCREENSHOT names a file stem.
void screenshot(QWidget& window, const char* suffix) {
    if (const char* stem = std::getenv("ORVA_SCREENSHOT"))
        window.grab().save(QString::fromLocal8Bit(stem) + QString::fromLatin1(suffix));
}

TEST(StartupE2E, ShowsTheZonesOfTheProgramFolderAndClosesCleanly) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    writeFile(folder, "zone.dat",
              "# test zones\r\n"
              "Alpha,127.0.0.1,5000\r\n"
              "A zone whose name is longer than thirty,127.0.0.1,5001\r\n");
    writeFile(folder, "Config.ini", "[Config]\r\nVersion=1.1\r\n[User0]\r\nname=Tester\r\n");

    int ends = 0;
    QtPlatform platform(folder.path().toStdString(), [&] { ++ends; });
    RecordingDialogs dialogs;
    Env env{dialogs,        platform.timers, platform.clock, platform.sound,
            platform.shell, platform.fonts,  platform.app};
    FrmMain f(env, std::make_unique<QtTcpClient>(), std::make_unique<QtUdpSocket>());

    ASSERT_TRUE(StartUp(f));
    EXPECT_EQ(f.AppFolder, folder.path().toStdString() + "/");
    EXPECT_EQ(f.ConfigPath, f.AppFolder + "Config.ini");
    MainWindow window(f);
    wireHandlers(f);
    ASSERT_TRUE(Form_Load(f));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    screenshot(window, "-login.png");

    // Needs the real Form_Load: caption, zone rows, first row selected, Connect enabled.
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ORVA v.1.2"));
    const QListWidget* zones = window.ui().lstZones;
    ASSERT_EQ(zones->count(), 2);
    const QString six(6, u' ');
    EXPECT_EQ(zones->item(0)->text(), six + QStringLiteral("Alpha").leftJustified(30) + " ????");
    EXPECT_EQ(zones->item(1)->text(), six + "A zone whose name is longer... ????");
    EXPECT_EQ(zones->currentRow(), 0);
    EXPECT_TRUE(window.ui().cmdConnect->isEnabled());
    const QList<QAction*> items = window.ui().menu_Zones->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QStringLiteral("Alpha"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("A zone whose name is longer than thirty"));
    EXPECT_TRUE(items[0]->isEnabled());
    EXPECT_EQ(window.ui().txtUser->text(), QStringLiteral("Tester"));
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front();
    screenshot(window, "-zones.png");

    // Not connected: closing asks nothing and ends the program.
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(ends, 1);
}

}  // namespace
}  // namespace orva
