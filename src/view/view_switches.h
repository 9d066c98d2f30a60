// The view's two switches of the File menu: "Highlight URL" and "Timestamps".
#pragma once

namespace orva {

struct ViewPart;

// Each click flips the switch and writes it; a write that fails says so in the view and leaves the
// switch as stored.
void menu_HighLightURL_Click(ViewPart& f);
void menu_Timestamps_Click(ViewPart& f);

}  // namespace orva
