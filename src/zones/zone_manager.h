// The Zone Manager window as a model: the zones of zone.dat to edit, add, remove and reorder,
// written back as a whole when the user says OK.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/controls.h"
#include "zones/zone_list.h"

namespace orva {

struct ZonesPart;

struct FrmZoneManager {
    explicit FrmZoneManager(ZonesPart& main);
    FrmZoneManager(const FrmZoneManager&) = delete;
    FrmZoneManager& operator=(const FrmZoneManager&) = delete;

    ZonesPart& main;
    Prop<std::string> Caption{"Zone Manager"};
    ListBox lstZones;  // one row per zone: "name  host:port"
    Label lblName, lblHost, lblPort;
    TextBox txtName, txtHost, txtPort;
    Button cmdAdd, cmdEdit, cmdRemove, cmdUp, cmdDown, cmdOK, cmdCancel;
    Signal<> unloadRequested;

    std::vector<ZoneRecord> zones;      // as edited, in list order
    std::vector<std::string> comments;  // the comment lines at the top of zone.dat, kept
};

// Why a zone cannot be saved as typed, or nothing when it can.
std::optional<std::string> ValidateZone(std::string_view name, std::string_view host,
                                        std::string_view port);
// zone.dat as written: the comment lines, then one "name,host,port" line per zone, CR LF ended.
std::string ZoneDatText(const std::vector<std::string>& comments,
                        const std::vector<ZoneRecord>& zones);
// The comment lines ("#" in the first column) that stand before the first other line.
std::vector<std::string> LeadingComments(std::string_view text);

// Reads zone.dat afresh into the zone table, the zone list and the Zones menu; a running ping
// starts over. The selection stays on the same zone where it is still there.
void ReloadZoneList(ZonesPart& f);
// A Zones menu item chosen while disconnected selects its zone in the zone list.
void menu_Zone_Click(ZonesPart& f, int index);
// The Zones menu's items select zones; Zone Manager is available while disconnected.
void wireZoneMenu(ZonesPart& f);

void Form_Load(FrmZoneManager& m);
void lstZones_Click(FrmZoneManager& m);  // the selected zone's fields into the boxes
void cmdAdd_Click(FrmZoneManager& m);
void cmdEdit_Click(FrmZoneManager& m);
void cmdRemove_Click(FrmZoneManager& m);
void cmdUp_Click(FrmZoneManager& m);
void cmdDown_Click(FrmZoneManager& m);
// Writes zone.dat and reloads the zone list, then closes; a failed write keeps the old file and
// the window open.
void cmdOK_Click(FrmZoneManager& m);
void cmdCancel_Click(FrmZoneManager& m);

}  // namespace orva
