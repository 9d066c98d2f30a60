#include "core/handlers.h"

#include "core/core_handlers.h"
#include "core/frm_main.h"
#include "core/roster.h"
#include "core/startup.h"
#include "macros/macro_menu.h"

namespace orva {

void wireHandlers(FrmMain& f) {
    wireFoundationHandlers(f);
    wireCoreHandlers(f);
    wireRosterToList(f);
    wireMacroHandlers(f);
}

}  // namespace orva
