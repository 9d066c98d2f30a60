#include "core/startup.h"

#include "core/frm_main.h"

namespace orva {

// Provisional: replaced by the real start-up.
bool StartUp(FrmMain& f) {
    f.AppFolder = f.env.app.programFolder();
    if (f.AppFolder.empty() || (f.AppFolder.back() != '/' && f.AppFolder.back() != '\\'))
        f.AppFolder += '\\';
    f.ConfigPath = f.AppFolder + "Config.ini";
    return true;
}

bool Form_Load(FrmMain&) {
    return true;
}

bool Form_QueryUnload(FrmMain&) {
    return false;
}

}  // namespace orva
