#include "app/hop_server.h"

#include "app/connection.h"
#include "app/frm_main.h"

namespace orva {

void HopServer(FrmMain& f, std::uint8_t entry_id) {
    const int count = f.lstZones.ListCount();
    const int row = static_cast<int>(entry_id) - 1;
    if (entry_id < 1 || entry_id > count || row == f.lstZones.ListIndex.get()) return;
    // The list and the table always match; a table that fell behind is no zone to go to.
    if (row >= f.zones.ZoneCount || static_cast<std::size_t>(row) >= f.zones.Zones.size()) return;

    const std::string& name = f.zones.Zones[static_cast<std::size_t>(row)].Name;
    if (f.env.dialogs.messageBox("Goto '" + name + "'?", "Hop?", MsgIcon::None,
                                 MsgButtons::YesNo) != MsgResult::Yes)
        return;

    f.lstZones.ListIndex.set(row);
    f.sckClient->Close();
    ConnectionClosed(f);
    // The hop reconnects at once; the hold on Connect after a closed connection does not apply.
    f.tmrHalter->setEnabled(false);
    Connect_It(f);
}

}  // namespace orva
