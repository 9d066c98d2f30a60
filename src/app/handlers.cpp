#include "app/handlers.h"

#include "app/core_handlers.h"
#include "app/frm_main.h"
#include "app/input_wiring.h"
#include "app/macro_keys.h"
#include "app/notifications.h"
#include "app/reconnect.h"
#include "app/startup.h"
#include "app/window_flash.h"
#include "core/roster.h"
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
