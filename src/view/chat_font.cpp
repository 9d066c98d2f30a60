#include "view/chat_font.h"

#include "core/frm_main.h"
#include "view/chat_lines.h"

namespace orva {

void VerifyFontConstraints(std::string& fname, std::uint8_t& Fsize) {
    if (Fsize == 0) Fsize = 9;
    if (fname.find_first_not_of(' ') == std::string::npos) fname = "Courier New";
}

void UpdateFontFace(FrmMain& f) {
    // Kept in 8 bits like the setting it doubles.
    f.ChatFontHalfPoints = static_cast<std::uint8_t>(f.ChatFontSize * 2);
    f.ChatViewInitialRtf = BuildInitialRtf(f.ChatFontName, f.ChatFontHalfPoints);
    f.txtOut.FontName.set(f.ChatFontName);
    f.txtOut.FontSize.set(f.ChatFontSize);
    f.txtLog.FontName.set(f.ChatFontName);
    f.txtLog.FontSize.set(f.ChatFontSize);
    f.txtOut.FontBold.set(false);
}

}  // namespace orva
