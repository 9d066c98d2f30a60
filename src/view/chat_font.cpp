#include "view/chat_font.h"

#include "view/chat_lines.h"
#include "view/view_part.h"

namespace orva {

void VerifyFontConstraints(std::string& fname, std::uint8_t& Fsize) {
    if (Fsize == 0) Fsize = 9;
    if (fname.find_first_not_of(' ') == std::string::npos) fname = "Courier New";
}

void UpdateFontFace(ViewPart& f) {
    // Kept in 8 bits like the setting it doubles.
    f.ChatFontHalfPoints = static_cast<std::uint8_t>(f.ChatFontSize * 2);
    f.ChatViewInitialRtf = BuildInitialRtf(f.ChatFontName, f.ChatFontHalfPoints);
    f.txtLog.FontName.set(f.ChatFontName);
    f.txtLog.FontSize.set(f.ChatFontSize);
    f.fontChanged.emit();  // the input line follows
}

}  // namespace orva
