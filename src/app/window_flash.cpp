#include "app/window_flash.h"

#include "app/frm_main.h"

namespace orva {

void tmrflash_Timer(FrmMain& f) {
    f.FlashHighlighted = !f.FlashHighlighted;
    f.flashWindow.emit(f.FlashHighlighted);
}

void Form_Resize(FrmMain& f) {
    if (f.tmrflash->enabled()) f.tmrflash->setEnabled(false);
    // Stopped half way, the window would keep its highlight; the next flashing starts lit.
    if (f.FlashHighlighted) tmrflash_Timer(f);
}

void wireWindowFlash(FrmMain& f) {
    f.tmrflash->onTick([&f] { tmrflash_Timer(f); });
}

}  // namespace orva
