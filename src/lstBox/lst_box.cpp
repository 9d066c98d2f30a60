#include "lstBox/lst_box.h"

#include <algorithm>

#include "base/case_fold.h"
#include "base/text.h"

namespace orva {

namespace {

constexpr std::array<ListColour, 16> kPalette{{{0, 0, 0},
                                               {0, 0, 128},
                                               {0, 128, 0},
                                               {0, 128, 128},
                                               {128, 0, 0},
                                               {128, 0, 128},
                                               {128, 128, 0},
                                               {192, 192, 192},
                                               {128, 128, 128},
                                               {0, 0, 255},
                                               {0, 255, 0},
                                               {0, 255, 255},
                                               {255, 0, 0},
                                               {255, 0, 255},
                                               {255, 255, 0},
                                               {255, 255, 255}}};

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

std::string fromThird(const std::string& s) {
    return s.size() > 2 ? s.substr(2) : std::string();
}

MarkerPicture pictureFrom(const std::array<const char*, 8>& rows) {
    constexpr ListColour red{206, 8, 8}, brown{99, 33, 0}, green{90, 206, 74};
    MarkerPicture p{};
    for (size_t y = 0; y < 8; ++y)
        for (size_t x = 0; x < 8; ++x) {
            const char c = rows[y][x];
            p[y * 8 + x] = c == 'R' ? red : c == 'B' ? brown : c == 'G' ? green : kListBlack;
        }
    return p;
}

}  // namespace

ListColour listPalette(int n) {
    return n >= 0 && n < 16 ? kPalette[static_cast<size_t>(n)] : kListBlack;
}

ListColour codeColour(char code) {
    if (code == 't') return kListGold;
    if (code == 'e') return kListGrey;
    return listPalette(hexValue(code));
}

const MarkerPicture& markerPicture(int marker) {
    static const std::array<MarkerPicture, 4> pictures{
        pictureFrom({"R.......", "RR......", "RRR.....", "BRRR....", "RRR.....", "RR......",
                     "R.......", "........"}),
        pictureFrom({".....GGG", "....G...", ".....G..", "......G.", ".......G", "....GGG.",
                     "........", "........"}),
        pictureFrom({"R....GGG", "RR..G...", "RRR..G..", "BRRR..G.", "RRR....G", "RR..GGG.",
                     "R.......", "........"}),
        pictureFrom({"........", "........", "........", "........", "........", "........",
                     "........", "........"}),
    };
    return pictures[static_cast<size_t>(std::clamp(marker, 0, 3))];
}

// --- entries -------------------------------------------------------------------------------

LstBox::LstBox() {
    clearList();
}

LstBox::EntryPtr LstBox::makeEntry(const std::string& text) {
    return std::make_unique<Entry>(
        Entry{text, foldCase(fromThird(text)), foldCase(remove_ALL_COLOR_DATA(text))});
}

const std::string& LstBox::item(std::int16_t index) const {
    static const std::string empty;
    if (index < 0 || index >= ItemCount) return empty;
    return entries_[static_cast<size_t>(index)]->text;
}

std::string LstBox::remove_ALL_COLOR_DATA(const std::string& sExpr) {
    std::string out;
    out.reserve(sExpr.size());
    for (size_t i = 0; i < sExpr.size(); ++i) {
        if (sExpr[i] != '\\') {
            out += sExpr[i];
            continue;
        }
        if (i + 1 < sExpr.size() && sExpr[i + 1] == '\\') out += '\\';
        ++i;  // the code's second character (or nothing, for a trailing backslash)
    }
    return out;
}

std::vector<ColourRun> LstBox::print_in_COLOR(const std::string& sExpr) {
    std::vector<ColourRun> runs;
    ListColour colour = kListBlack;
    std::string pending;
    const auto flush = [&] {
        if (pending.empty()) return;
        if (!runs.empty() && runs.back().colour == colour)
            runs.back().text += pending;
        else
            runs.push_back({pending, colour});
        pending.clear();
    };
    for (size_t i = 0; i < sExpr.size(); ++i) {
        if (sExpr[i] != '\\') {
            pending += sExpr[i];
            continue;
        }
        flush();
        if (i + 1 >= sExpr.size()) {
            colour = kListBlack;  // a trailing backslash selects black
            break;
        }
        const char code = sExpr[++i];
        if (code == '\\')
            pending += '\\';
        else
            colour = codeColour(code);
    }
    flush();
    return runs;
}

std::int16_t LstBox::FindItemNoColor(const std::string& name) const {
    const std::string folded = foldCase(name);
    if (sorted_ && unclean_ == 0) {
        // Keys are the folded names and in order: the first match is the lower bound.
        const auto it =
            std::lower_bound(entries_.begin(), entries_.end(), folded,
                             [](const EntryPtr& e, const std::string& k) { return e->key < k; });
        if (it != entries_.end() && (*it)->key == folded)
            return static_cast<std::int16_t>(it - entries_.begin());
        return -1;
    }
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i]->foldedName == folded) return static_cast<std::int16_t>(i);
    return -1;
}

std::string LstBox::getContent2(std::int16_t index) const {
    if (index < 0 || index >= ItemCount) return {};
    return remove_ALL_COLOR_DATA(entries_[static_cast<size_t>(index)]->text);
}

// The first index whose key sorts after `key` (equal keys go after), or the count.
std::int16_t LstBox::insertionPoint(const std::string& key) const {
    if (sorted_) {
        const auto it =
            std::upper_bound(entries_.begin(), entries_.end(), key,
                             [](const std::string& k, const EntryPtr& e) { return k < e->key; });
        return static_cast<std::int16_t>(it - entries_.begin());
    }
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i]->key > key) return static_cast<std::int16_t>(i);
    return ItemCount;
}

void LstBox::AddItem(const std::string& sItem) {
    Alphabetical(sItem);
}

void LstBox::Alphabetical(const std::string& sItem) {
    if (FindItemNoColor(fromThird(sItem)) >= 0) return;  // one entry per name, whatever colour
    if (ItemCount >= kMaxItems) return;
    EntryPtr e = makeEntry(sItem);
    if (!clean(*e)) ++unclean_;
    if (ItemCount == 0) {
        entries_.push_back(std::move(e));
        SelectedIndex = 0;
    } else {
        const auto at = insertionPoint(e->key);
        entries_.insert(entries_.begin() + at, std::move(e));
    }
    ItemCount = static_cast<std::int16_t>(entries_.size());
    setScrollVMax(ItemCount);
    redraw();
}

void LstBox::Original_Insert(const std::string& sItem) {
    if (ItemCount >= kMaxItems) return;
    if (ItemCount == 0) SelectedIndex = 0;
    EntryPtr e = makeEntry(sItem);
    if (!clean(*e)) ++unclean_;
    if (!entries_.empty() && e->key < entries_.back()->key) sorted_ = false;
    entries_.push_back(std::move(e));
    ItemCount = static_cast<std::int16_t>(entries_.size());
    setScrollVMax(ItemCount);

    const int w = textWidth ? textWidth(remove_ALL_COLOR_DATA(sItem))
                            : 8 * static_cast<int>(remove_ALL_COLOR_DATA(sItem).size());
    const int over = w - VisibleWidth;
    if (over > 0 && CharWidth > 0) {
        const int needed = std::min<int>((over + CharWidth - 1) / CharWidth, kMaxItems);
        if (ScrollHMax < needed) ScrollHMax = static_cast<std::int16_t>(needed);
    }
    redraw();
}

void LstBox::deleteIndex(std::int16_t index) {
    if (index < 0 || index >= ItemCount) return;
    if (!clean(*entries_[static_cast<size_t>(index)])) --unclean_;
    entries_.erase(entries_.begin() + index);
    if (index == SelectedIndex) SelectedIndex = static_cast<std::int16_t>(index - 1);
    ItemCount = static_cast<std::int16_t>(entries_.size());
    if (entries_.empty()) sorted_ = true;
    redraw();  // scrollV's maximum stays as it was
}

void LstBox::updateCell(std::int16_t index, const std::string& smsg) {
    if (index < 0 || index >= ItemCount) return;
    const auto i = static_cast<size_t>(index);
    EntryPtr e = makeEntry(smsg);
    unclean_ += (clean(*e) ? 0 : 1) - (clean(*entries_[i]) ? 0 : 1);
    if (sorted_) {
        const bool afterPrev = i == 0 || entries_[i - 1]->key <= e->key;
        const bool beforeNext = i + 1 == entries_.size() || e->key <= entries_[i + 1]->key;
        sorted_ = afterPrev && beforeNext;
    }
    entries_[i] = std::move(e);
    redraw();
}

void LstBox::clearList() {
    entries_.clear();
    sorted_ = true;
    unclean_ = 0;
    SelectedIndex = -1;
    ItemCount = 0;
    TopIndex = 0;
    ScrollVMax = 0;
    ScrollHMax = 0;
    layout();
    measureFont();
    // No redraw: the rows drawn before stay until the next change. The bars do change.
    scrolled.emit();
}

void LstBox::setCount(const std::string& caption) {
    caption_ = caption;
    redraw();
}

void LstBox::updateList() {
    redraw();
}

// --- selection and scrolling -----------------------------------------------------------------

void LstBox::SelectDown() {
    SelectedIndex = std::min<std::int16_t>(static_cast<std::int16_t>(SelectedIndex + 1),
                                           static_cast<std::int16_t>(ItemCount - 1));
    scrollToSelected();
}

void LstBox::SelectUp() {
    SelectedIndex = std::max<std::int16_t>(static_cast<std::int16_t>(SelectedIndex - 1), 0);
    scrollToSelected();
}

void LstBox::scrollToSelected() {
    if (SelectedIndex < 0) return;  // nothing to scroll to
    // A value outside the bar's range is refused, as the bar itself would.
    if (SelectedIndex <= ScrollVMax) TopIndex = SelectedIndex;
    redraw();
}

void LstBox::setScrollVMax(std::int16_t max) {
    ScrollVMax = max;
    // A maximum below the bar's value pulls the value down with it, and the bar reports that
    // as a change: the top row follows. (After deletions the maximum still counts them.)
    if (TopIndex > ScrollVMax) TopIndex = ScrollVMax;
}

void LstBox::scrollV_Change(int value) {
    TopIndex = static_cast<std::int16_t>(std::clamp<int>(value, 0, ScrollVMax));
    redraw();
}

void LstBox::scrollH_Change(int value) {
    HScrollPos = static_cast<std::int16_t>(std::clamp<int>(value, 0, ScrollHMax));
    redraw();
}

// --- input -----------------------------------------------------------------------------------

void LstBox::picList_MouseDown(int button, int y) {
    if (Drawing || CharHeight == 0) return;
    const int row = TopIndex + y / CharHeight;  // truncates toward zero
    if (row >= ItemCount) return;
    // Above the list means no selection; every such row reads as -1.
    if (button == 1) SelectedIndex = static_cast<std::int16_t>(std::max(row, -1));
    redraw();
}

void LstBox::picList_MouseMove(int button, int y) {
    if (button & 1) picList_MouseDown(1, y);
}

void LstBox::picList_KeyDown(int keyCode) {
    switch (keyCode) {
        case 40:  // Down
        case 34:  // Page Down
            SelectDown();
            break;
        case 38:  // Up
        case 33:  // Page Up
            SelectUp();
            break;
        default:
            break;
    }
}

// --- layout and drawing ----------------------------------------------------------------------

void LstBox::picList_Resize(int innerWidth, int innerHeight, int scrollHHeight, int scrollVWidth) {
    innerWidth_ = innerWidth;
    innerHeight_ = innerHeight;
    scrollHHeight_ = scrollHHeight;
    scrollVWidth_ = scrollVWidth;
    layout();
    redraw();
}

void LstBox::layout() {
    // The visible area is what the two bars leave free (each measured by the other's thickness,
    // as the bars are square-ended).
    VisibleWidth =
        static_cast<std::int16_t>(std::clamp(innerWidth_ - scrollHHeight_, -32768, 32767));
    VisibleHeight =
        static_cast<std::int16_t>(std::clamp(innerHeight_ - scrollVWidth_, -32768, 32767));
}

void LstBox::measureFont() {
    const int w = textWidth ? textWidth("W") : 8;
    const int h = textHeight ? textHeight() : 16;
    CharWidth = static_cast<std::uint8_t>(std::clamp(w, 0, 255));
    CharHeight = static_cast<std::uint8_t>(std::clamp(h, 0, 255));
}

std::vector<RowPlan> LstBox::planRows() {
    std::vector<RowPlan> rows;
    Drawing = true;
    int y = 0;
    for (int n = std::max<int>(TopIndex, 0); n < ItemCount; ++n) {
        const auto& text = entries_[static_cast<size_t>(n)]->text;
        RowPlan row;
        row.index = static_cast<std::int16_t>(n);
        row.top = y;
        row.runs = print_in_COLOR(text);
        const bool spectator = isSpectator && isSpectator(std::string(trimBlanks(fromThird(text))));
        const bool selected = n == SelectedIndex;
        row.marker = spectator && selected ? kMarkerBoth
                     : spectator           ? kMarkerSpectator
                     : selected            ? kMarkerSelected
                                           : kMarkerNone;
        y += CharHeight;
        row.markerY = y - 10;
        rows.push_back(std::move(row));
        if (y > CharHeight + VisibleHeight) break;  // one partly visible row is drawn
    }
    Drawing = false;
    return rows;
}

}  // namespace orva
