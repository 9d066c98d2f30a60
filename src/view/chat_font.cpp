#include "view/chat_font.h"

#include "core/frm_main.h"

namespace orva {

// Provisional: replaced by the chat view document.
void VerifyFontConstraints(std::string& fname, std::uint8_t& Fsize) {
    if (Fsize == 0) Fsize = 9;
    if (fname.find_first_not_of(' ') == std::string::npos) fname = "Courier New";
}

void UpdateFontFace(FrmMain& f) {
    f.ChatFontHalfPoints = static_cast<std::uint8_t>(f.ChatFontSize * 2);
}

}  // namespace orva
