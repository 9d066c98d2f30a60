// Plain models of window controls: the state a widget shows, and nothing of how it is drawn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/signal.h"

namespace orva {

// 0x00BBGGRR, as colours are stored by the program (RGB(r, g, b)).
using Rgb = std::uint32_t;
constexpr Rgb rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

// Modifiers held with a key.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

struct Control {
    Prop<bool> Enabled{true};
    Prop<bool> Visible{true};
    Prop<std::string> ToolTipText;
    Signal<> focusRequested;  // SetFocus
    void SetFocus() { focusRequested.emit(); }
};

struct Panel : Control {
    Prop<std::string> Caption;
};

struct Label : Control {
    Prop<std::string> Caption;
};

struct Button : Control {
    Prop<std::string> Caption;
    Signal<> clicked;
};

struct CheckBox : Control {
    Prop<std::string> Caption;
    Prop<int> Value{0};  // 0 unticked, 1 ticked
    Signal<> clicked;    // raised after a click has changed Value
};

struct TextBox : Control {
    Prop<std::string> Text;
    Prop<bool> Locked{false};  // read-only
    Prop<bool> Masked{false};  // password field
    Prop<Rgb> ForeColor{rgb(0, 0, 0)};
    Prop<std::string> FontName;
    Prop<int> FontSize{0};
    Prop<bool> FontBold{false};
    Signal<> gotFocus;
    Signal<> lostFocus;
    // Key code of a typed character or Enter (13); a handler may set the flag to swallow it.
    Signal<int, bool&> keyPressed;
    // Characters before the caret; the widget keeps it current.
    Prop<int> SelStart{0};
    // Key code of a key that types nothing (9 Tab, 33/34 page keys, 37 to 40 arrows, ...) and the
    // modifiers held (kShiftMask, kCtrlMask, kAltMask), before the control acts on it; a handler
    // may set the flag to swallow it.
    Signal<int, int, bool&> keyDown;
    // Raised after a typed character (code as for keyPressed) has reached the text.
    Signal<int> charTyped;
};

struct MenuItem : Control {
    MenuItem() = default;
    MenuItem(std::string caption, std::string shortcut = {}) : Shortcut(std::move(shortcut)) {
        Caption.set(std::move(caption));
    }
    Prop<std::string> Caption;  // "&" marks the access key; "-" is a separator
    Prop<bool> Checked{false};
    std::string Shortcut;  // fixed at design time, e.g. "Ctrl+C", "F1"
    Signal<> clicked;      // the window raises it; handlers are connected by the form
};

// A list of text rows with one selection (list box or combo box).
struct ListBox : Control {
    const std::vector<std::string>& items() const { return items_; }
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::string& List(int index) const { return items_.at(static_cast<size_t>(index)); }

    void AddItem(std::string text) {
        items_.push_back(std::move(text));
        itemAdded.emit(ListCount() - 1);
    }
    void SetItem(int index, std::string text) {
        auto& row = items_.at(static_cast<size_t>(index));
        if (row == text) return;
        row = std::move(text);
        itemChanged.emit(index);
    }
    void Clear() {
        items_.clear();
        ListIndex.set(-1);
        cleared.emit();
    }

    Prop<int> ListIndex{-1};  // selected row, -1 for none
    Signal<int> itemAdded;
    Signal<int> itemChanged;
    Signal<> cleared;
    Signal<> gotFocus;
    Signal<> clicked;               // the user changed the selection
    Signal<int, bool&> keyPressed;  // key code; set the flag to swallow the key

  private:
    std::vector<std::string> items_;
};

}  // namespace orva
