// frmFontPick as a model: the installed faces, the sizes, the live preview and the saving of the
// chat font into the current profile.
#pragma once

#include <string>
#include <vector>

#include "base/controls.h"

namespace orva {

struct ConfigPart;
struct ViewPart;

// A combo box that also takes typed text.
struct ComboBox : ListBox {
    Prop<std::string> Text;
};

// A stretch of the preview's text in one colour.
struct ColourSpan {
    int start = 0, length = 0;
    Rgb colour = 0;
    bool operator==(const ColourSpan&) const = default;
};

// The preview box RSamp: its text in one face and size, with coloured stretches.
struct PreviewBox : Control {
    std::string Text;
    std::string FontName;
    int FontSize = 0;
    std::vector<ColourSpan> colours;
    Signal<> redrawn;
};

struct FrmFontPick {
    FrmFontPick(ViewPart& view, ConfigPart& config);
    FrmFontPick(const FrmFontPick&) = delete;
    FrmFontPick& operator=(const FrmFontPick&) = delete;

    ViewPart& view;  // the chat font it sets
    ConfigPart& config;
    Prop<std::string> Caption{"Font"};
    Panel frFont;
    Label lblName, lblSize, lblProfileCaption;
    ComboBox cmbFont, cmbSize;
    Label lblProfile;  // the profile the font is saved for
    PreviewBox RSamp;
    Button cmdSave, cmdClose;
    Signal<> unloadRequested;  // Save and Close end the picker
};

// The two sample lines of the preview.
inline constexpr const char* kFontSample = "           Dummy1> aww \r\nP          Dummy2> aww ";

void Form_Load(FrmFontPick& p);
void UpdateDraw(FrmFontPick& p);
void cmbFont_KeyUp(FrmFontPick& p);
void cmbFont_Validate(FrmFontPick& p);
void cmbSize_KeyDown(FrmFontPick& p, int KeyCode);
void cmbSize_Validate(FrmFontPick& p);
// Applies the font at once and stores it in the current profile's section. A size outside 1 to
// 255 is refused and changes nothing.
void cmdSave_Click(FrmFontPick& p);
void cmdClose_Click(FrmFontPick& p);

}  // namespace orva
