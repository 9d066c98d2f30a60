// The coloured list control as a model: entries with colour codes, sorting, selection, scrolling,
// mouse and keys, and the plan of the rows a redraw paints.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/signal.h"

namespace orva {

struct ListColour {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const ListColour&) const = default;
};

inline constexpr ListColour kListBlack{0, 0, 0};
inline constexpr ListColour kListGold{255, 223, 0};    // "\t": own team
inline constexpr ListColour kListGrey{189, 191, 191};  // "\e": any other team

// The 16-colour palette reached by a backslash and a hexadecimal digit.
ListColour listPalette(int n);
// The colour a backslash followed by `code` switches to.
ListColour codeColour(char code);

// A stretch of an entry drawn in one colour.
struct ColourRun {
    std::string text;
    ListColour colour;
    bool operator==(const ColourRun&) const = default;
};

// Row markers, painted 8 x 8 at the left of each row.
enum RowMarker : int {
    kMarkerSelected = 0,
    kMarkerSpectator = 1,
    kMarkerBoth = 2,
    kMarkerNone = 3
};
using MarkerPicture = std::array<ListColour, 64>;  // top row first, left to right
const MarkerPicture& markerPicture(int marker);

// One row of a redraw: where it goes, what it shows.
struct RowPlan {
    std::int16_t index = 0;  // entry index
    int top = 0;             // y of the row's top edge in the list area
    int textX = 10;
    std::vector<ColourRun> runs;
    int marker = kMarkerNone;
    int markerX = 1;
    int markerY = 0;
};

class LstBox {
  public:
    static constexpr std::int16_t kMaxItems = 32767;

    LstBox();

    // --- public operations -----------------------------------------------------------------
    void AddItem(const std::string& sItem);
    void Alphabetical(const std::string& sItem);
    void clearList();
    void deleteIndex(std::int16_t index);
    std::int16_t FindItemNoColor(const std::string& name) const;
    std::string getContent2(std::int16_t index) const;
    std::int16_t listCount() const { return ItemCount; }
    std::int16_t listIndex() const { return SelectedIndex; }
    void Original_Insert(const std::string& sItem);
    static std::vector<ColourRun> print_in_COLOR(const std::string& sExpr);
    static std::string remove_ALL_COLOR_DATA(const std::string& sExpr);
    void SelectDown();
    void SelectUp();
    void setCount(const std::string& caption);
    void updateCell(std::int16_t index, const std::string& smsg);
    void updateList();

    const std::string& caption() const { return caption_; }
    // The raw entry text (colour codes included); empty outside the entries.
    const std::string& item(std::int16_t index) const;

    // --- drawing ---------------------------------------------------------------------------
    // The rows a redraw paints now: from TopIndex down to the first row that reaches below the
    // visible area. Never reads past the current count.
    std::vector<RowPlan> planRows();

    // --- control events (the widget forwards them) -----------------------------------------
    // Inner size of the list area and the thickness of the two scroll bars, in pixels.
    void picList_Resize(int innerWidth, int innerHeight, int scrollHHeight, int scrollVWidth);
    // button: 1 left, 2 right, 4 middle (a mask for MouseMove); y in pixels of the list area.
    void picList_MouseDown(int button, int y);
    void picList_MouseMove(int button, int y);
    void picList_KeyDown(int keyCode);
    void scrollV_Change(int value);
    void scrollH_Change(int value);
    // Measures CharWidth and CharHeight from "W" (run by clearList and when the font changes).
    void measureFont();

    // --- owner hooks -----------------------------------------------------------------------
    // Whether a listed name is a spectator (the roster knows); unset means nobody is.
    std::function<bool(const std::string& name)> isSpectator;
    // Pixel width of a text in the list font; unset means 8 pixels a character.
    std::function<int(const std::string& text)> textWidth;
    // Pixel height of a text line in the list font; unset means 16.
    std::function<int()> textHeight;

    // --- state (read by the widget and tests; changed only through the operations) -----------
    std::int16_t ItemCount = 0;
    std::int16_t SelectedIndex = -1;
    std::int16_t TopIndex = 0;
    std::int16_t HScrollPos = 0;
    std::uint8_t CharWidth = 8;
    std::uint8_t CharHeight = 16;
    std::int16_t VisibleWidth = 0;
    std::int16_t VisibleHeight = 0;
    bool Drawing = false;
    std::int16_t ScrollVMax = 0;  // scrollV's maximum (its minimum is 0)
    std::int16_t ScrollHMax = 0;  // scrollH's maximum

    Signal<> changed;   // redraw wanted (entries, selection, scroll, caption); the widget coalesces
    Signal<> scrolled;  // the bars' ranges or values changed with no redraw (clearList)

  private:
    struct Entry {
        std::string text;
        std::string key;         // folded text from the third character on: the sort key
        std::string foldedName;  // folded plain text: what FindItemNoColor compares
    };
    // Entries sit behind pointers so that an insert near the top shifts 8 bytes per entry.
    using EntryPtr = std::unique_ptr<Entry>;
    static EntryPtr makeEntry(const std::string& text);
    static bool clean(const Entry& e) { return e.key == e.foldedName; }
    std::int16_t insertionPoint(const std::string& key) const;
    void scrollToSelected();
    void setScrollVMax(std::int16_t max);
    void layout();
    void redraw() { changed.emit(); }

    std::vector<EntryPtr> entries_;
    // While the keys are in order and every key is the folded plain text, finding and inserting
    // are binary searches; otherwise the scans fall back to walking the entries.
    bool sorted_ = true;
    int unclean_ = 0;
    std::string caption_ = "0 players.";
    int innerWidth_ = 0, innerHeight_ = 0, scrollHHeight_ = 0, scrollVWidth_ = 0;
};

}  // namespace orva
