#include "fonts/font_pick.h"

#include <algorithm>
#include <cstdint>

#include "base/numbers.h"
#include "base/text.h"
#include "config/config_part.h"
#include "config/setting_writes.h"
#include "config/settings.h"
#include "view/chat_font.h"
#include "view/view_part.h"

namespace orva {

namespace {

constexpr int kSampleLineLength = 22;  // the first line without its trailing space
constexpr int kSecondLineStart = 25;   // after 23 characters and the CR LF

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether the text starts with a number at all, as opposed to reading as 0 for want of one.
bool startsWithNumber(const std::string& text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) return false;
    if (text[i] == '+' || text[i] == '-') ++i;
    if (i < text.size() && text[i] == '.') ++i;
    return i < text.size() && isDigit(text[i]);
}

}  // namespace

FrmFontPick::FrmFontPick(ViewPart& v, ConfigPart& c) : view(v), config(c) {
    frFont.Caption.set("Font");
    lblName.Caption.set("Name: ");
    lblSize.Caption.set("Size: ");
    lblProfileCaption.Caption.set("Profile: ");
    cmdSave.Caption.set("Save");
    cmdClose.Caption.set("Close");
}

void Form_Load(FrmFontPick& p) {
    ViewPart& f = p.view;
    const ConfigPart& c = p.config;
    for (std::string& name : f.env.fonts.installedFonts())
        p.cmbFont.AddItem(std::move(name));
    p.cmbFont.Text.set(f.ChatFontName);
    p.cmbSize.Text.set(std::to_string(f.ChatFontSize));
    const std::string name = ReadSetting(c.ProfileID, "name", c.ConfigPath);
    p.lblProfile.Caption.set(trimBlanks(name).empty() || c.ProfileID == "User0" ? "(default)"
                                                                                : name);
    for (int size : {8, 9, 10, 12, 14, 16, 18, 20, 24, 32, 48})
        p.cmbSize.AddItem(std::to_string(size));
    p.RSamp.Text = kFontSample;
    UpdateDraw(p);
}

void UpdateDraw(FrmFontPick& p) {
    PreviewBox& box = p.RSamp;
    box.FontName = p.cmbFont.Text.get();
    box.FontSize = toInt16(p.cmbSize.Text.get()).value_or(0);
    const int length = static_cast<int>(box.Text.size());
    box.colours = {{0, std::min(kSampleLineLength, length), rgb(160, 160, 255)}};
    if (length > kSecondLineStart)
        box.colours.push_back({kSecondLineStart, length - kSecondLineStart, rgb(255, 189, 41)});
    box.redrawn.emit();
}

void cmbFont_KeyUp(FrmFontPick& p) {
    UpdateDraw(p);
}

void cmbFont_Validate(FrmFontPick& p) {
    UpdateDraw(p);
}

void cmbSize_KeyDown(FrmFontPick& p, int KeyCode) {
    if (KeyCode == 13) UpdateDraw(p);
}

void cmbSize_Validate(FrmFontPick& p) {
    UpdateDraw(p);
}

void cmdSave_Click(FrmFontPick& p) {
    ViewPart& f = p.view;
    ConfigPart& c = p.config;
    const std::string& sizeText = p.cmbSize.Text.get();
    // Text that is no number at all reads as 0 and so as the default size; a number that does not
    // fit the one-byte size would be stored wrapped or not at all.
    std::uint8_t size = 0;
    if (startsWithNumber(sizeText)) {
        const auto typed = toByte(sizeText);
        if (!typed || *typed == 0) {
            f.env.dialogs.messageBox("The font size must be a number from 1 to 255.", "Font",
                                     MsgIcon::Exclamation);
            return;
        }
        size = *typed;
    }
    f.ChatFontName = p.cmbFont.Text.get();
    f.ChatFontSize = size;
    VerifyFontConstraints(f.ChatFontName, f.ChatFontSize);
    UpdateFontFace(f);
    if (writeSettingsAll({{c.ProfileID, "FontType", f.ChatFontName},
                          {c.ProfileID, "FontSize", std::to_string(f.ChatFontSize)}},
                         c.ConfigPath)) {
        f.env.dialogs.messageBox("Font-style Set.", "Font Set", MsgIcon::Information);
    } else {
        showNotWritten(c, "Font Set");
    }
    p.unloadRequested.emit();
}

void cmdClose_Click(FrmFontPick& p) {
    p.unloadRequested.emit();
    p.view.showRequested.emit();
}

}  // namespace orva
