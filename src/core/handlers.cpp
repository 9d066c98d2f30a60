#include "core/handlers.h"

#include "chat/input_line.h"
#include "chat/notifications.h"
#include "core/core_handlers.h"
#include "core/frm_main.h"
#include "core/reconnect.h"
#include "core/roster.h"
#include "core/startup.h"
#include "core/window_flash.h"
#include "macros/macro_menu.h"
#include "zones/zone_manager.h"
#include "zones/zone_ping.h"

namespace orva {

void wireHandlers(FrmMain& f) {
    wireFoundationHandlers(f);
    wireCoreHandlers(f);
    wireReconnect(f);
    wireRosterToList(f);
    wireInputLine(f);
    wireNotifications(f);
    wireWindowFlash(f);
    wirePingHandlers(f);
    wireMacroHandlers(f);
    wireZoneMenu(f);
}

}  // namespace orva
