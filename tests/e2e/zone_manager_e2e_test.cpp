// The Zone Manager of the real window: zones typed in, reordered and saved reach zone.dat, the
// zone list and the Zones menu; the menu then picks the zone to connect to.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <sstream>

#include "e2e/client_world.h"
#include "qt/zone_manager_window.h"

namespace orva {
namespace {

QPushButton* button(ZoneManagerWindow* m, const char* caption) {
    for (QPushButton* b : m->findChildren<QPushButton*>())
        if (b->text() == QLatin1String(caption)) return b;
    return nullptr;
}

TEST(ZoneManagerE2E, SavedZonesReachTheListAndTheMenu) {
    ClientWorld w{zonesim::Options{}};
    ASSERT_TRUE(w.started);
    QAction* manager = w.window().action(w.f().menu_ZoneMan);
    ASSERT_TRUE(manager->isVisible() && manager->isEnabled());
    manager->trigger();
    ZoneManagerWindow* m = w.window().zoneManager();
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(m->list()->count(), 1);

    // A port that cannot be is refused with a word of why.
    retype(m->nameField(), QStringLiteral("Second"));
    retype(m->portField(), QStringLiteral("0"));
    QTest::mouseClick(button(m, "Add"), Qt::LeftButton);
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0], "Zone Manager: The port must be a number from 1 to 65534.");
    EXPECT_EQ(m->list()->count(), 1);

    const QString port = QString::number(w.sim().port());
    retype(m->portField(), port);
    QTest::mouseClick(button(m, "Add"), Qt::LeftButton);
    QTest::mouseClick(button(m, "Up"), Qt::LeftButton);
    QTest::mouseClick(button(m, "OK"), Qt::LeftButton);
    w.settle();
    EXPECT_EQ(w.window().zoneManager(), nullptr);  // closed

    std::ifstream in(w.f().AppFolder + "zone.dat", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string p = port.toStdString();
    EXPECT_EQ(text.str(), "Second,127.0.0.1," + p + "\r\nLocal demo zone,127.0.0.1," + p + "\r\n");
    ASSERT_EQ(w.ui().lstZones->count(), 2);
    EXPECT_TRUE(w.ui().lstZones->item(0)->text().contains(QStringLiteral("Second")));
    EXPECT_EQ(w.window().action(*w.f().menu_Zone[0])->text(), QStringLiteral("Second"));

    // Choosing a zone in the menu selects it; Connect then goes there.
    w.window().action(*w.f().menu_Zone[1])->trigger();
    EXPECT_EQ(w.ui().lstZones->currentRow(), 1);
    w.dialogs.shown.clear();
    ASSERT_TRUE(w.enterArena());
    EXPECT_TRUE(w.window().action(*w.f().menu_Zone[1])->isChecked());
    EXPECT_FALSE(manager->isEnabled());  // not while connected
}

}  // namespace
}  // namespace orva
