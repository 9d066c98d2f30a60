#include "zones/zone_manager.h"

#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "support/fakes.h"
#include "zones/ping_buttons.h"

namespace orva::test {
namespace {

TEST(ZoneManager, RefusesWhatZoneDatCannotHold) {
    const struct {
        std::string name, host, port;
        const char* why;  // nullptr: accepted
    } cases[] = {
        {"Alpha", "127.0.0.1", "5000", nullptr},
        {" Beta ", "h", "1", nullptr},  // names are kept exactly as typed
        {"Gamma", "h", "65534", nullptr},
        {"", "h", "5000", "The zone needs a name."},
        {"A,B", "h", "5000", "A zone name cannot hold a comma."},
        {"#x", "h", "5000", "A zone name cannot begin with \"#\"."},
        {"A", "", "5000", "The zone needs a host."},
        {"A", "h,2", "5000", "A host cannot hold a comma."},
        {"A", "h", "0", "The port must be a number from 1 to 65534."},
        {"A", "h", "65535", "The port must be a number from 1 to 65534."},
        {"A", "h", "5000x", "The port must be a number from 1 to 65534."},
        {"A", "h", "", "The port must be a number from 1 to 65534."},
        {"A", "h", "999999", "The port must be a number from 1 to 65534."},
    };
    for (const auto& c : cases) {
        const auto why = ValidateZone(c.name, c.host, c.port);
        EXPECT_EQ(why.value_or("ok"), c.why ? c.why : "ok") << c.name << "," << c.port;
    }
}

struct ManagerWorld : World {
    ManagerWorld() {
        dir.write("zone.dat",
                  "# my zones\r\n#second\r\nAlpha,a.example,5000\r\nBeta,b,6000,x\r\n"
                  "#later\r\nGamma,g,7000\r\n");
        LoadZoneList(f());
        populateZonesMenu(f());
        f().lstZones.ListIndex.set(1);
        Form_Load(m);
    }
    void type(const std::string& name, const std::string& host, const std::string& port) {
        m.txtName.Text.set(name);
        m.txtHost.Text.set(host);
        m.txtPort.Text.set(port);
    }
    FrmZoneManager m{f()};
};

TEST(ZoneManager, EditsAndWritesZoneDat) {
    ManagerWorld w;
    FrmZoneManager& m = w.m;
    ASSERT_EQ(m.lstZones.items(),
              (std::vector<std::string>{"Alpha  a.example:5000", "Beta  b:6000", "Gamma  g:7000"}));
    EXPECT_EQ(m.txtName.Text.get(), "Alpha");
    EXPECT_EQ(m.txtPort.Text.get(), "5000");

    w.type("Delta", "d", "8000");
    cmdAdd_Click(m);
    m.lstZones.ListIndex.set(0);
    w.type("Alpha2", "a2", "5001");
    cmdEdit_Click(m);
    m.lstZones.ListIndex.set(2);
    cmdRemove_Click(m);                        // Gamma
    EXPECT_EQ(m.lstZones.ListIndex.get(), 2);  // Delta, now in its place
    cmdUp_Click(m);
    cmdUp_Click(m);
    cmdUp_Click(m);  // already first
    m.lstZones.ListIndex.set(1);
    cmdDown_Click(m);
    cmdDown_Click(m);  // already last
    w.type("", "x", "1");
    cmdAdd_Click(m);  // refused, nothing changes
    ASSERT_EQ(w.dialogs.calls.size(), 1u);
    EXPECT_EQ(w.dialogs.calls[0].title, "Zone Manager");

    w.f().cmdPingOn.Enabled.set(false);  // pinging
    w.f().cmdPingOff.Enabled.set(true);
    bool closed = false;
    m.unloadRequested.connect([&] { closed = true; });
    cmdOK_Click(m);
    EXPECT_TRUE(closed);
    // Comments at the top stay; the one between zones does not.
    EXPECT_EQ(w.dir.read("zone.dat"),
              "# my zones\r\n#second\r\nDelta,d,8000\r\nBeta,b,6000\r\nAlpha2,a2,5001\r\n");
    // The main window reads it back: rows, menu, the selection on the same zone (Beta).
    FrmMain& f = w.f();
    EXPECT_EQ(f.zones.ZoneCount, 3);
    EXPECT_EQ(f.lstZones.ListCount(), 3);
    EXPECT_EQ(f.lstZones.ListIndex.get(), 1);
    EXPECT_EQ(f.menu_Zone[0]->Caption.get(), "Delta");
    EXPECT_EQ(f.menu_Zone[2]->Caption.get(), "Alpha2");
    EXPECT_TRUE(f.tmrPing->enabled());  // the ping started over
    EXPECT_EQ(f.ping.PingCursor, 0);
}

TEST(ZoneManager, ReloadHidesMenuItemsOfRemovedZones) {
    ManagerWorld w;
    while (!w.m.zones.empty())
        cmdRemove_Click(w.m);
    cmdOK_Click(w.m);
    FrmMain& f = w.f();
    EXPECT_EQ(f.lstZones.ListCount(), 0);
    EXPECT_FALSE(f.cmdConnect.Enabled.get());
    EXPECT_EQ(f.menu_Zone[0]->Caption.get(), "-zone-");
    EXPECT_FALSE(f.menu_Zone[0]->Enabled.get());
    EXPECT_FALSE(f.menu_Zone[1]->Visible.get());
    EXPECT_FALSE(f.menu_Zone[2]->Visible.get());
}

TEST(ZoneManager, AFailedWriteKeepsTheOldFileAndTheWindow) {
    ManagerWorld w;
    const std::string before = w.dir.read("zone.dat");
    // Tests run as root, where permissions stop nothing: the program folder goes missing.
    w.f().AppFolder = w.dir.file("missing/");
    bool closed = false;
    w.m.unloadRequested.connect([&] { closed = true; });
    cmdRemove_Click(w.m);
    cmdOK_Click(w.m);
    EXPECT_FALSE(closed);
    EXPECT_EQ(w.dir.read("zone.dat"), before);
    ASSERT_EQ(w.dialogs.calls.size(), 1u);
    EXPECT_EQ(w.dialogs.calls[0].text, "zone.dat could not be written. Nothing was saved.");
    EXPECT_EQ(w.f().lstZones.ListCount(), 3);
}

}  // namespace
}  // namespace orva::test
