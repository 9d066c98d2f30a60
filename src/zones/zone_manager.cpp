#include "zones/zone_manager.h"

#include <utility>

#include "base/numbers.h"
#include "platform/files.h"
#include "zones/ping_buttons.h"
#include "zones/zones_part.h"

namespace orva {

namespace {

constexpr const char* kTitle = "Zone Manager";

std::string rowText(const ZoneRecord& z) {
    return z.Name + "  " + z.Host + ":" + std::to_string(z.Port);
}

void fillList(FrmZoneManager& m, int select) {
    m.lstZones.Clear();
    for (const ZoneRecord& z : m.zones)
        m.lstZones.AddItem(rowText(z));
    if (select >= 0 && select < m.lstZones.ListCount()) m.lstZones.ListIndex.set(select);
}

int selected(const FrmZoneManager& m) {
    const int i = m.lstZones.ListIndex.get();
    return i >= 0 && static_cast<std::size_t>(i) < m.zones.size() ? i : -1;
}

// The zone in the boxes, or nothing after saying why it cannot be saved.
std::optional<ZoneRecord> zoneFromBoxes(FrmZoneManager& m) {
    const std::string name = m.txtName.Text.get(), host = m.txtHost.Text.get();
    const std::string port = m.txtPort.Text.get();
    if (const auto why = ValidateZone(name, host, port)) {
        m.main.env.dialogs.messageBox(*why, kTitle, MsgIcon::Exclamation);
        return std::nullopt;
    }
    ZoneRecord z;
    z.Name = name;
    z.Host = host;
    z.Port = static_cast<std::uint16_t>(std::stoi(port));
    return z;
}

void swapWithNext(FrmZoneManager& m, int first, int select) {
    if (first < 0 || static_cast<std::size_t>(first) + 1 >= m.zones.size()) return;
    std::swap(m.zones[static_cast<std::size_t>(first)],
              m.zones[static_cast<std::size_t>(first) + 1]);
    fillList(m, select);
}

bool sameZone(const ZoneRecord& a, const ZoneRecord& b) {
    return a.Name == b.Name && a.Host == b.Host && a.Port == b.Port;
}

}  // namespace

FrmZoneManager::FrmZoneManager(ZonesPart& m) : main(m) {
    lblName.Caption.set("Name:");
    lblHost.Caption.set("Host:");
    lblPort.Caption.set("Port:");
    cmdAdd.Caption.set("Add");
    cmdEdit.Caption.set("Edit");
    cmdRemove.Caption.set("Remove");
    cmdUp.Caption.set("Up");
    cmdDown.Caption.set("Down");
    cmdOK.Caption.set("OK");
    cmdCancel.Caption.set("Cancel");
}

std::optional<std::string> ValidateZone(std::string_view name, std::string_view host,
                                        std::string_view port) {
    const auto bad = [](std::string_view s) {
        return s.find_first_of(",\r\n") != std::string_view::npos;
    };
    if (name.empty()) return "The zone needs a name.";
    if (bad(name)) return "A zone name cannot hold a comma.";
    // Such a line would read back as a comment, and the zone would be gone.
    if (name.front() == '#') return "A zone name cannot begin with \"#\".";
    if (host.empty()) return "The zone needs a host.";
    if (bad(host)) return "A host cannot hold a comma.";
    // 65535 is refused too: zone.dat does not read it, and the ping goes to the port above.
    const bool digits = !port.empty() && port.size() <= 5 &&
                        port.find_first_not_of("0123456789") == std::string_view::npos;
    const long value = digits ? std::stol(std::string(port)) : 0;
    if (value < 1 || value > 65534) return "The port must be a number from 1 to 65534.";
    return std::nullopt;
}

std::string ZoneDatText(const std::vector<std::string>& comments,
                        const std::vector<ZoneRecord>& zones) {
    std::string text;
    for (const std::string& line : comments)
        text += line + "\r\n";
    for (const ZoneRecord& z : zones)
        text += z.Name + "," + z.Host + "," + std::to_string(z.Port) + "\r\n";
    return text;
}

std::vector<std::string> LeadingComments(std::string_view text) {
    std::vector<std::string> out;
    while (!text.empty() && text.front() == '#') {
        const std::size_t end = text.find_first_of("\r\n");
        out.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end);
        // CR LF, CR or LF ends the line.
        text.remove_prefix(text.starts_with("\r\n") ? 2 : 1);
    }
    return out;
}

void ReloadZoneList(ZonesPart& f) {
    const bool pinging = f.cmdPingOff.Enabled.get();
    if (pinging) cmdPingOff_Click(f);
    std::optional<ZoneRecord> was;
    const int index = f.lstZones.ListIndex.get();
    if (index >= 0 && static_cast<std::size_t>(index) < f.zones.Zones.size())
        was = f.zones.Zones[static_cast<std::size_t>(index)];

    f.lstZones.Clear();
    f.zones = {};
    LoadZoneList(f);

    int select = f.lstZones.ListCount() > 0 ? 0 : -1;
    for (std::size_t i = 0; was && i < f.zones.Zones.size(); ++i)
        if (sameZone(f.zones.Zones[i], *was)) select = static_cast<int>(i);
    f.lstZones.ListIndex.set(select);

    populateZonesMenu(f);
    // Items past the last zone stay in the menu, hidden; with no zones the first says so.
    for (std::size_t i = 0; i < f.menu_Zone.size(); ++i) {
        const bool zone = i < f.zones.Zones.size();
        f.menu_Zone[i]->Visible.set(zone || i == 0);
        f.menu_Zone[i]->Checked.set(false);
        if (!zone && i == 0) {
            f.menu_Zone[0]->Caption.set("-zone-");
            f.menu_Zone[0]->Enabled.set(false);
        }
    }
    f.zoneListChanged.emit();
    if (pinging && f.lstZones.ListCount() > 0) cmdPingOn_Click(f);
}

void menu_Zone_Click(ZonesPart& f, int index) {
    // While connected the list is hidden, and the menu only shows where the user is.
    if (!f.frameMain.Visible.get()) return;
    if (index >= 0 && index < f.lstZones.ListCount()) f.lstZones.ListIndex.set(index);
}

void wireZoneMenu(ZonesPart& f) {
    ZonesPart* p = &f;
    const auto wireItem = [p](int i) {
        p->menu_Zone[static_cast<std::size_t>(i)]->clicked.connect(
            [p, i] { menu_Zone_Click(*p, i); });
    };
    for (std::size_t i = 0; i < f.menu_Zone.size(); ++i)
        wireItem(static_cast<int>(i));
    f.zoneMenuItemAdded.connect(wireItem);
    // Editing the zones is for while the zone list shows, not while connected to one of them.
    f.menu_ZoneMan.Enabled.set(f.frameMain.Visible.get());
    f.frameMain.Visible.changed.connect(
        [p](const bool& shown) { p->menu_ZoneMan.Enabled.set(shown); });
}

void Form_Load(FrmZoneManager& m) {
    // The file as it is now, in case it was edited since start-up; the zones in use without one.
    const auto text = files::readAll(m.main.AppFolder + "zone.dat");
    m.zones = text ? parseZoneDat(*text).zones : m.main.zones.Zones;
    m.comments = text ? LeadingComments(*text) : std::vector<std::string>{};
    fillList(m, m.zones.empty() ? -1 : 0);
    lstZones_Click(m);
}

void lstZones_Click(FrmZoneManager& m) {
    const int i = selected(m);
    if (i < 0) return;
    const ZoneRecord& z = m.zones[static_cast<std::size_t>(i)];
    m.txtName.Text.set(z.Name);
    m.txtHost.Text.set(z.Host);
    m.txtPort.Text.set(std::to_string(z.Port));
}

void cmdAdd_Click(FrmZoneManager& m) {
    const auto z = zoneFromBoxes(m);
    if (!z) return;
    m.zones.push_back(*z);
    fillList(m, static_cast<int>(m.zones.size()) - 1);
}

void cmdEdit_Click(FrmZoneManager& m) {
    const int i = selected(m);
    if (i < 0) return;
    const auto z = zoneFromBoxes(m);
    if (!z) return;
    m.zones[static_cast<std::size_t>(i)] = *z;
    fillList(m, i);
}

void cmdRemove_Click(FrmZoneManager& m) {
    const int i = selected(m);
    if (i < 0) return;
    m.zones.erase(m.zones.begin() + i);
    fillList(m, std::min(i, static_cast<int>(m.zones.size()) - 1));
    lstZones_Click(m);
}

void cmdUp_Click(FrmZoneManager& m) {
    const int i = selected(m);
    if (i > 0) swapWithNext(m, i - 1, i - 1);
}

void cmdDown_Click(FrmZoneManager& m) {
    const int i = selected(m);
    if (i >= 0) swapWithNext(m, i, i + 1);
}

void cmdOK_Click(FrmZoneManager& m) {
    ZonesPart& f = m.main;
    if (!files::replaceAtomically(f.AppFolder + "zone.dat", ZoneDatText(m.comments, m.zones))) {
        f.env.dialogs.messageBox("zone.dat could not be written. Nothing was saved.", kTitle,
                                 MsgIcon::Exclamation);
        return;
    }
    ReloadZoneList(f);
    m.unloadRequested.emit();
}

void cmdCancel_Click(FrmZoneManager& m) {
    m.unloadRequested.emit();
}

}  // namespace orva
