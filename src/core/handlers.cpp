#include "core/handlers.h"

#include "core/frm_main.h"

namespace orva {

void wireHandlers(FrmMain&) {}

}  // namespace orva
