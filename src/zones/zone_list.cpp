#include "zones/zone_list.h"

#include <cmath>

#include "base/numbers.h"
#include "platform/files.h"
#include "view/name_width.h"
#include "zones/zones_part.h"

namespace orva {

namespace {

constexpr std::uint8_t kNameColumn = 30;

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const auto comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

void showReadError(ZonesPart& f) {
    f.env.dialogs.messageBox("Error Reading File: \r\n" + files::pathText(f.AppFolder + "zone.dat"),
                             "Error", MsgIcon::Error);
}

}  // namespace

ZoneFile parseZoneDat(std::string_view text) {
    ZoneFile result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // CR LF and CR end a line; a lone LF too, so files written elsewhere still read.
        std::size_t end = text.find_first_of("\r\n", pos);
        std::size_t next;
        if (end == std::string_view::npos) {
            end = next = text.size();
        } else {
            next = (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? end + 2
                                                                                         : end + 1;
        }
        const std::string_view line = text.substr(pos, end - pos);
        pos = next;

        if (!line.empty() && line.front() == '#') continue;
        const auto fields = splitFields(line);
        if (line.empty() || fields.size() < 3) {
            result.hadError = true;
            continue;
        }
        const double port = std::trunc(numericValue(fields[2]));
        if (port < -2147483648.0 || port > 2147483647.0) {
            result.hadError = true;
            continue;
        }
        if (port > 0 && port < 65535) {
            ZoneRecord z;
            z.Name = std::string(fields[0]);
            z.Host = std::string(fields[1]);
            z.Port = static_cast<std::uint16_t>(port);
            result.zones.push_back(std::move(z));
        }
    }
    return result;
}

std::string FitText(std::string_view text, std::uint8_t width) {
    if (text.size() <= width) return std::string(text) + std::string(width - text.size(), ' ');
    if (width < 3) return std::string("...").substr(0, width);
    return std::string(text.substr(0, width - 3u)) + "...";
}

void LoadZoneList(ZonesPart& f) {
    const auto text = files::readAll(f.AppFolder + "zone.dat");
    if (!text) {
        showReadError(f);
        return;
    }
    ZoneFile file = parseZoneDat(*text);
    for (auto& z : file.zones)
        AddZone(f, z.Name, z.Host, z.Port);
    if (file.hadError) showReadError(f);
}

void AddZone(ZonesPart& f, const std::string& name, const std::string& host, std::uint16_t port) {
    ZoneRecord z;
    z.Name = name;
    z.Host = host;
    z.Port = port;
    f.zones.Zones.push_back(std::move(z));
    f.lstZones.AddItem(std::string(6, ' ') + FitText(name, kNameColumn) + " ????");
    ++f.zones.ZoneCount;
}

void UpdateZoneRow(ZonesPart& f, int index, std::string_view left, std::string_view right) {
    if (index < 0 || index >= f.lstZones.ListCount() ||
        static_cast<std::size_t>(index) >= f.zones.Zones.size())
        return;
    const auto& zone = f.zones.Zones[static_cast<std::size_t>(index)];
    f.lstZones.SetItem(
        index, PadName(left, 5) + " " + FitText(zone.Name, kNameColumn) + PadName(right, 5));
}

void populateZonesMenu(ZonesPart& f) {
    const int rows = std::min(f.lstZones.ListCount(), static_cast<int>(f.zones.Zones.size()));
    for (int i = 0; i < rows; ++i) {
        const bool added = static_cast<std::size_t>(i) >= f.menu_Zone.size();
        if (added) f.menu_Zone.push_back(std::make_unique<MenuItem>());
        MenuItem& item = *f.menu_Zone[static_cast<std::size_t>(i)];
        item.Caption.set(f.zones.Zones[static_cast<std::size_t>(i)].Name);
        item.Enabled.set(true);
        if (added) f.zoneMenuItemAdded.emit(i);
    }
}

}  // namespace orva
