#include "lstBox/lst_box.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/case_fold.h"

namespace orva {
namespace {

std::vector<std::string> plainTexts(const LstBox& l) {
    std::vector<std::string> out;
    for (std::int16_t i = 0; i < l.listCount(); ++i)
        out.push_back(l.getContent2(i));
    return out;
}

std::vector<std::string> rawTexts(const LstBox& l) {
    std::vector<std::string> out;
    for (std::int16_t i = 0; i < l.listCount(); ++i)
        out.push_back(l.item(i));
    return out;
}

// A list with a 10 x 16 pixel font and a 200 x 100 visible area (16-pixel bars).
void sizeList(LstBox& l, int innerHeight = 116) {
    l.textWidth = [](const std::string& s) { return 10 * static_cast<int>(s.size()); };
    l.textHeight = [] { return 16; };
    l.measureFont();
    l.picList_Resize(216, innerHeight, 16, 16);
}

TEST(LstBoxText, PlainTextDropsCodesAndKeepsEscapedBackslashes) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"\\tBob", "Bob"},
        {"\\tA\\\\B", "A\\B"},
        {"plain", "plain"},
        {"\\ea\\4b\\Ec", "abc"},
        {"name\\", "name"},  // a trailing backslash is dropped
        {"\\\\\\\\", "\\\\"},
        {"\\", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LstBox::remove_ALL_COLOR_DATA(c.in), c.out) << c.in;
}

TEST(LstBoxText, CodesSelectColours) {
    const struct {
        char code;
        ListColour colour;
    } cases[] = {
        {'t', kListGold},   {'e', kListGrey},       {'T', {0, 0, 0}},   {'E', {255, 255, 0}},
        {'0', {0, 0, 0}},   {'7', {192, 192, 192}}, {'9', {0, 0, 255}}, {'a', {0, 255, 0}},
        {'C', {255, 0, 0}}, {'f', {255, 255, 255}}, {'z', {0, 0, 0}},   {'_', {0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(codeColour(c.code), c.colour) << c.code;
}

TEST(LstBoxText, EntriesDrawInColourRuns) {
    const ListColour black{0, 0, 0}, red{255, 0, 0};
    const struct {
        std::string entry;
        std::vector<ColourRun> runs;
    } cases[] = {
        {"\\tBob", {{"Bob", kListGold}}},
        {"\\eAnn", {{"Ann", kListGrey}}},
        {"pre\\tpost", {{"pre", black}, {"post", kListGold}}},
        {"\\tA\\\\B", {{"A\\B", kListGold}}},
        {"\\cR\\tG\\", {{"R", red}, {"G", kListGold}}},
        {"\\t\\e", {}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LstBox::print_in_COLOR(c.entry), c.runs) << c.entry;
}

TEST(LstBoxSort, InsertsByKeyWithDigitsBeforeUnderscoreBeforeLetters) {
    const struct {
        std::vector<std::string> added;
        std::vector<std::string> order;
    } cases[] = {
        {{"\\tcarol", "\\ealice", "\\tbob"}, {"alice", "bob", "carol"}},
        {{"\\tab", "\\ta_b", "\\ta1"}, {"a1", "a_b", "ab"}},
        {{"\\tZed", "\\ealice", "\\e_x", "\\t9z"}, {"9z", "_x", "alice", "Zed"}},
        {{"\\tBOB", "\\tbobby", "\\tBo"}, {"Bo", "BOB", "bobby"}},
        // The key is the raw text from the third character: a code inside the name counts.
        {{"\\tb", "\\ta\\cz"}, {"az", "b"}},
    };
    for (const auto& c : cases) {
        LstBox l;
        for (const auto& s : c.added)
            l.AddItem(s);
        EXPECT_EQ(plainTexts(l), c.order);
    }
}

TEST(LstBoxSort, EqualKeysGoAfterTheExistingEntry) {
    LstBox l;
    // Both keys are a, two backslashes, b; the duplicate test compares plain text, so both stay.
    l.AddItem("\\ta\\\\b");
    l.AddItem("\\ea\\\\b");
    l.AddItem("\\ta");
    EXPECT_EQ(rawTexts(l), (std::vector<std::string>{"\\ta", "\\ta\\\\b", "\\ea\\\\b"}));
}

TEST(LstBoxSort, RefusesASecondEntryForTheSameName) {
    const struct {
        std::string first, second;
        bool refused;
    } cases[] = {
        {"\\eBob", "\\tbob", true},         {"\\tbob", "\\tbob", true},
        {"\\t\xC9lan", "\\e\xE9lan", true},  // Latin-1 capitals fold too
        {"\\tbob", "\\tbobby", false},      {"\\tbo_b", "\\tbo b", false},
    };
    for (const auto& c : cases) {
        LstBox l;
        l.AddItem(c.first);
        l.AddItem(c.second);
        EXPECT_EQ(l.listCount(), c.refused ? 1 : 2) << c.second;
        EXPECT_EQ(l.item(l.FindItemNoColor(LstBox::remove_ALL_COLOR_DATA(c.first))), c.first);
        if (c.refused) {
            EXPECT_EQ(l.item(0), c.first);
        }
    }
}

TEST(LstBoxSelection, FirstEntryIsSelectedAndInsertionsKeepTheIndex) {
    LstBox l;
    l.AddItem("\\tmike");
    EXPECT_EQ(l.listIndex(), 0);
    l.AddItem("\\talpha");  // lands on index 0: the mark now names alpha
    l.AddItem("\\tzulu");
    EXPECT_EQ(l.listIndex(), 0);
    EXPECT_EQ(l.getContent2(l.listIndex()), "alpha");
}

TEST(LstBoxSelection, DeleteMovesOrKeepsTheSelectionIndex) {
    const struct {
        std::int16_t selected, removed;
        std::int16_t selectedAfter;
        std::vector<std::string> left;
    } cases[] = {
        {0, 0, -1, {"b", "c", "d"}},      {2, 2, 1, {"a", "b", "d"}},
        {2, 0, 2, {"b", "c", "d"}},  // index kept: now names the following entry
        {1, 3, 1, {"a", "b", "c"}},       {1, 4, 1, {"a", "b", "c", "d"}},  // outside: unchanged
        {1, -1, 1, {"a", "b", "c", "d"}},                                   // outside: unchanged
        {3, 2, 3, {"a", "b", "d"}},  // the index now lies past the last entry
    };
    for (const auto& c : cases) {
        LstBox l;
        for (const char* s : {"\\ta", "\\tb", "\\tc", "\\td"})
            l.AddItem(s);
        l.picList_MouseDown(1, c.selected * 16);
        l.deleteIndex(c.removed);
        EXPECT_EQ(l.listIndex(), c.selectedAfter) << c.removed;
        EXPECT_EQ(plainTexts(l), c.left) << c.removed;
        EXPECT_EQ(l.ScrollVMax, 4) << "delete leaves the bar's maximum";
    }
}

TEST(LstBoxSelection, ArrowsMoveOneEntryAndScrollItToTheTop) {
    const struct {
        int entries;
        std::int16_t start;
        std::vector<int> keys;
        std::int16_t selected, top;
    } cases[] = {
        {5, 0, {40}, 1, 1},     {5, 0, {34, 34}, 2, 2},
        {5, 4, {40}, 4, 4},  // Down on the last entry stays and scrolls it to the top
        {5, 3, {38}, 2, 2},     {5, 0, {33}, 0, 0},  // Up on the first entry stays
        {5, 2, {13, 65}, 2, 0}, {0, -1, {40}, -1, 0},
        {0, -1, {38}, 0, 0},
    };
    for (const auto& c : cases) {
        LstBox l;
        for (int i = 0; i < c.entries; ++i)
            l.AddItem("\\tp" + std::to_string(i));
        if (c.start >= 0) l.picList_MouseDown(1, c.start * 16);
        for (int k : c.keys)
            l.picList_KeyDown(k);
        EXPECT_EQ(l.listIndex(), c.selected);
        EXPECT_EQ(l.TopIndex, c.top);
    }
}

TEST(LstBoxSelection, ClickAndDragSelectRowsUnderThePointer) {
    const struct {
        const char* what;
        std::int16_t top;
        int button, y;
        bool move, drawing;
        std::int16_t selected;
        int redraws;
    } cases[] = {
        {"left on row 2", 0, 1, 40, false, false, 2, 1},
        {"left with scroll", 3, 1, 17, false, false, 4, 1},
        {"right redraws only", 0, 2, 40, false, false, 0, 1},
        {"below the last entry", 0, 1, 6 * 16, false, false, 0, 0},
        {"drag above the list", 0, 1, -20, true, false, -1, 1},
        {"far above the list", 0, 1, -200, false, false, -1, 1},
        {"drag without left button", 0, 2, 40, true, false, 0, 0},
        {"while a pass runs", 0, 1, 40, false, true, 0, 0},
    };
    for (const auto& c : cases) {
        LstBox l;
        sizeList(l);
        for (int i = 0; i < 6; ++i)
            l.AddItem("\\tp" + std::to_string(i));
        l.scrollV_Change(c.top);
        int redraws = 0;
        l.changed.connect([&] { ++redraws; });
        l.Drawing = c.drawing;
        if (c.move)
            l.picList_MouseMove(c.button, c.y);
        else
            l.picList_MouseDown(c.button, c.y);
        EXPECT_EQ(l.listIndex(), c.selected) << c.what;
        EXPECT_EQ(redraws, c.redraws) << c.what;
    }
}

TEST(LstBoxOps, UpdateCellReplacesOnlyExistingEntries) {
    LstBox l;
    l.AddItem("\\tann");
    l.AddItem("\\ebob");
    l.updateCell(1, "\\tbob");
    l.updateCell(2, "\\tnew");
    l.updateCell(-1, "\\tnew");
    EXPECT_EQ(rawTexts(l), (std::vector<std::string>{"\\tann", "\\tbob"}));
    EXPECT_EQ(l.getContent2(2), "");
    EXPECT_EQ(l.getContent2(-1), "");
}

TEST(LstBoxOps, ClearEmptiesAndResets) {
    LstBox l;
    sizeList(l);
    for (int i = 0; i < 9; ++i)
        l.Original_Insert("\\tplayer_with_a_long_name" + std::to_string(i));
    l.scrollV_Change(4);
    l.scrollH_Change(3);
    l.clearList();
    EXPECT_EQ(l.listCount(), 0);
    EXPECT_EQ(l.listIndex(), -1);
    EXPECT_EQ(l.TopIndex, 0);
    EXPECT_EQ(l.ScrollVMax, 0);
    EXPECT_EQ(l.ScrollHMax, 0);
    EXPECT_EQ(l.HScrollPos, 3);  // kept until the bar reports a change
    EXPECT_EQ(l.CharHeight, 16);
    EXPECT_EQ(l.FindItemNoColor("player_with_a_long_name1"), -1);
}

TEST(LstBoxOps, AppendRaisesTheHorizontalRangeForWideEntries) {
    // Visible width 200, 10 pixels a character.
    const struct {
        std::string entry;
        std::int16_t max;
    } cases[] = {
        {"\\t" + std::string(20, 'x'), 0},
        {"\\t" + std::string(21, 'x'), 1},
        {"\\t" + std::string(21, 'x') + "\\e\\4", 1},  // codes take no width
        {"\\t" + std::string(35, 'x'), 15},
    };
    LstBox l;
    sizeList(l);
    std::int16_t expected = 0;
    for (const auto& c : cases) {
        l.Original_Insert(c.entry);
        expected = std::max(expected, c.max);
        EXPECT_EQ(l.ScrollHMax, expected) << c.entry;
    }
    EXPECT_EQ(l.listIndex(), 0);
    EXPECT_EQ(l.ScrollVMax, 4);
}

TEST(LstBoxOps, AppendKeepsOrderOfArrivalAndDuplicates) {
    LstBox l;
    l.Original_Insert("\\tzed");
    l.Original_Insert("\\eann");
    l.Original_Insert("\\tzed");
    EXPECT_EQ(plainTexts(l), (std::vector<std::string>{"zed", "ann", "zed"}));
    EXPECT_EQ(l.FindItemNoColor("ZED"), 0);
    l.AddItem("\\tbob");  // first key after bob is zed at 0
    EXPECT_EQ(plainTexts(l), (std::vector<std::string>{"bob", "zed", "ann", "zed"}));
}

// The list against a literal walk of the required steps, over random operations that mix sorted
// inserts with the ones that break the order (appends, renaming cells, codes inside names).
class Reference {
  public:
    std::vector<std::string> items;
    std::int16_t selected = -1;

    static std::string key(const std::string& s) {
        return foldCase(s.size() > 2 ? s.substr(2) : "");
    }
    std::int16_t find(const std::string& name) const {
        for (size_t i = 0; i < items.size(); ++i)
            if (foldCase(LstBox::remove_ALL_COLOR_DATA(items[i])) == foldCase(name))
                return static_cast<std::int16_t>(i);
        return -1;
    }
    void add(const std::string& s) {
        if (find(s.size() > 2 ? s.substr(2) : "") >= 0) return;
        if (items.empty()) {
            items.push_back(s);
            selected = 0;
            return;
        }
        size_t i = 0;
        while (i < items.size() && !(key(items[i]) > key(s)))
            ++i;
        items.insert(items.begin() + static_cast<long>(i), s);
    }
};

TEST(LstBoxModel, MatchesALiteralWalkOverRandomOperations) {
    std::mt19937 rng(7);
    const std::string alphabet = "aAbB_1\\te";
    const auto randomName = [&] {
        std::string s;
        const int n = 1 + static_cast<int>(rng() % 3);
        for (int i = 0; i < n; ++i)
            s += alphabet[rng() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 40; ++round) {
        LstBox l;
        Reference r;
        for (int step = 0; step < 60; ++step) {
            const auto code = std::string(rng() % 2 ? "\\t" : "\\e");
            const unsigned op = rng() % 10;
            const auto name = randomName();
            if (op < 5) {
                l.AddItem(code + name);
                r.add(code + name);
            } else if (op == 5 && round % 2) {
                l.Original_Insert(code + name);
                if (r.items.empty()) r.selected = 0;
                r.items.push_back(code + name);
            } else if (op == 6 && !r.items.empty()) {
                const auto i = static_cast<std::int16_t>(rng() % r.items.size());
                l.updateCell(i, code + name);
                r.items[static_cast<size_t>(i)] = code + name;
            } else if (op == 7 && !r.items.empty()) {
                const auto i = static_cast<std::int16_t>(rng() % r.items.size());
                l.deleteIndex(i);
                r.items.erase(r.items.begin() + i);
                if (i == r.selected) r.selected = static_cast<std::int16_t>(i - 1);
            }
            ASSERT_EQ(rawTexts(l), r.items) << "round " << round << " step " << step;
            ASSERT_EQ(l.listIndex(), r.selected);
            const auto probe = randomName();
            ASSERT_EQ(l.FindItemNoColor(probe), r.find(probe)) << probe;
        }
    }
}

TEST(LstBoxDraw, RowPlanStopsAfterTheFirstPartlyHiddenRow) {
    const struct {
        int innerHeight;
        std::int16_t top;
        int entries;
        size_t rows;
    } cases[] = {
        {116, 0, 20, 8},  // visible 100: the row ending at 128 is the first past 16 + 100
        {116, 0, 3, 3},   {116, 18, 20, 2},  // only the last two remain below the top
        {116, 20, 20, 0},                    // scrolled to the maximum: empty area
        {16, 0, 20, 2},                      // no visible height
        {0, 0, 20, 1},                       // less than none: one row is still drawn
    };
    for (const auto& c : cases) {
        LstBox l;
        sizeList(l, c.innerHeight);
        for (int i = 0; i < c.entries; ++i)
            l.AddItem("\\tp" + std::string(1, static_cast<char>('a' + i)));
        l.scrollV_Change(c.top);
        const auto rows = l.planRows();
        ASSERT_EQ(rows.size(), c.rows) << c.innerHeight << " " << c.top;
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].index, c.top + static_cast<int>(i));
            EXPECT_EQ(rows[i].top, 16 * static_cast<int>(i));
            EXPECT_EQ(rows[i].textX, 10);
            EXPECT_EQ(rows[i].markerX, 1);
            EXPECT_EQ(rows[i].markerY, rows[i].top + 16 - 10);
        }
        EXPECT_FALSE(l.Drawing);
    }
}

TEST(LstBoxDraw, MarkersShowSelectionAndSpectators) {
    LstBox l;
    sizeList(l);
    for (const char* s : {"\\tann", "\\ebob", "\\tcat", "\\edan"})
        l.AddItem(s);
    std::vector<std::string> asked;
    l.isSpectator = [&](const std::string& name) {
        asked.push_back(name);
        return name == "bob" || name == "cat";
    };
    l.SelectDown();
    l.SelectDown();  // cat, scrolled to the top
    l.scrollV_Change(0);
    const auto rows = l.planRows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].marker, kMarkerNone);
    EXPECT_EQ(rows[1].marker, kMarkerSpectator);
    EXPECT_EQ(rows[2].marker, kMarkerBoth);
    EXPECT_EQ(rows[3].marker, kMarkerNone);
    EXPECT_EQ(rows[1].runs, (std::vector<ColourRun>{{"bob", kListGrey}}));
    EXPECT_EQ(asked, (std::vector<std::string>{"ann", "bob", "cat", "dan"}));

    l.scrollV_Change(2);  // the selected row at the top, without the roster's answer
    l.isSpectator = nullptr;
    EXPECT_EQ(l.planRows().front().marker, kMarkerSelected);
}

TEST(LstBoxDraw, SpectatorLookupTrimsSpacesAroundTheName) {
    LstBox l;
    l.AddItem("\\t  spaced ");
    std::string asked;
    l.isSpectator = [&](const std::string& name) {
        asked = name;
        return false;
    };
    l.planRows();
    EXPECT_EQ(asked, "spaced");
}

TEST(LstBoxDraw, MarkerPicturesCombineSelectionAndSpectator) {
    const ListColour red{206, 8, 8}, brown{99, 33, 0}, green{90, 206, 74}, black{};
    const auto& sel = markerPicture(kMarkerSelected);
    const auto& spectator = markerPicture(kMarkerSpectator);
    const auto& both = markerPicture(kMarkerBoth);
    const auto& none = markerPicture(kMarkerNone);
    const int triangle[8] = {1, 2, 3, 4, 3, 2, 1, 0};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const auto at = static_cast<size_t>(y * 8 + x);
            const ListColour want = x < triangle[y] ? (y == 3 && x == 0 ? brown : red) : black;
            EXPECT_EQ(sel[at], want) << x << "," << y;
            EXPECT_TRUE(x < 4 || spectator[at] == green || spectator[at] == black);
            EXPECT_EQ(both[at], sel[at] == black ? spectator[at] : sel[at]) << x << "," << y;
            EXPECT_EQ(none[at], black);
        }
    }
    EXPECT_EQ(spectator[5], green);
    EXPECT_EQ(spectator[7 * 8 + 7], black);
}

}  // namespace
}  // namespace orva
