#include "view/view_switches.h"

#include "config/switches.h"
#include "view/chat_lines.h"
#include "view/view_part.h"

namespace orva {

void menu_HighLightURL_Click(ViewPart& f) {
    if (!flipSwitch(f.ConfigPath, f.showURLs, f.menu_HighLightURL, "URLClickable"))
        postNotWritten(f);
}

void menu_Timestamps_Click(ViewPart& f) {
    if (!flipSwitch(f.ConfigPath, f.Timestamps, f.menu_Timestamps, "Timestamps")) postNotWritten(f);
}

}  // namespace orva
