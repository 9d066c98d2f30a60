#include "core/roster.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>

#include "app/frm_main.h"
#include "base/case_fold.h"
#include "support/fakes.h"

namespace orva {
namespace {

using test::World;

std::vector<std::string> names(const FrmMain& f) {
    std::vector<std::string> out;
    for (std::int16_t i = 0; i < f.roster.PlayerCount; ++i)
        out.push_back(f.roster.records[static_cast<size_t>(i)].Name);
    return out;
}

TEST(Roster, FindIgnoresCaseAndFindsTheFirst) {
    World w;
    auto& f = w.f();
    EXPECT_EQ(FindPlayer(f, "anyone"), -1);
    AddPlayer(f, "MixedCase", 1, 0);
    AddPlayer(f, "Bob", 2, 0);
    AddPlayer(f, "bob", 3, 0);
    AddPlayer(f, "\xC9lise", 8, 0);
    const struct {
        std::string name;
        std::int16_t index;
    } cases[] = {{"MIXEDCASE", 0}, {"mixedcase", 0}, {"BOB", 1},     {"bo", -1},
                 {"bobb", -1},     {"", -1},         {"\xE9LISE", 3}};
    for (const auto& c : cases)
        EXPECT_EQ(FindPlayer(f, c.name), c.index) << c.name;
    EXPECT_EQ(f.lstUsers.caption(), "4 players.");
}

TEST(Roster, RemovalMovesTheLastRecordIntoTheHole) {
    const struct {
        std::vector<std::string> start;
        std::int16_t removed;
        std::vector<std::string> left;
        std::string label;
    } cases[] = {
        {{"a", "b", "c"}, 0, {"c", "b"}, "2 players."},
        {{"a", "b", "c"}, 1, {"a", "c"}, "2 players."},
        {{"a", "b", "c"}, 2, {"a", "b"}, "2 players."},
        {{"a"}, 0, {}, "0 players."},
        {{"a", "b"}, 2, {"a", "b"}, "2 players."},   // outside: nothing
        {{"a", "b"}, -1, {"a", "b"}, "2 players."},  // outside: nothing
    };
    for (const auto& c : cases) {
        World w;
        auto& f = w.f();
        for (size_t i = 0; i < c.start.size(); ++i)
            AddPlayer(f, c.start[i], static_cast<std::uint8_t>(i + 1),
                      static_cast<std::int16_t>(i));
        RemovePlayerAt(f, c.removed);
        EXPECT_EQ(names(f), c.left) << c.removed;
        EXPECT_EQ(f.lstUsers.caption(), c.label);
    }
}

TEST(Roster, MovedRecordKeepsShipAndFrequencyAndTheLastPlaceIsBlanked) {
    World w;
    auto& f = w.f();
    AddPlayer(f, "a", 1, 10);
    AddPlayer(f, "b", 2, 20);
    RemovePlayerAt(f, 0);
    const auto& moved = f.roster.records[0];
    EXPECT_EQ(moved.Name, "b");
    EXPECT_EQ(moved.Ship, 2);
    EXPECT_EQ(moved.Freq, 20);
    RemovePlayerAt(f, 0);
    const auto& blank = f.roster.records[0];
    EXPECT_EQ(blank.Name, "");
    EXPECT_EQ(blank.Ship, 8);
    EXPECT_EQ(blank.Freq, -1);
    AddPlayer(f, "c", 3, 30);  // the leftover place is reused
    EXPECT_EQ(names(f), std::vector<std::string>{"c"});
    EXPECT_EQ(f.lstUsers.caption(), "1 players.");
}

TEST(Roster, RemoveByNameTakesTheFirstOfTwo) {
    World w;
    auto& f = w.f();
    AddPlayer(f, "Bob", 1, 0);
    AddPlayer(f, "ann", 2, 0);
    AddPlayer(f, "bob", 3, 0);
    RemovePlayer(f, "BOB");
    EXPECT_EQ(names(f), (std::vector<std::string>{"bob", "ann"}));
    EXPECT_EQ(f.roster.records[0].Ship, 3);
    RemovePlayer(f, "bob");
    EXPECT_EQ(names(f), (std::vector<std::string>{"ann"}));
    RemovePlayer(f, "bob");  // gone: nothing changes
    EXPECT_EQ(names(f), (std::vector<std::string>{"ann"}));
    EXPECT_EQ(f.lstUsers.caption(), "1 players.");
}

TEST(Roster, ClearDropsRecordsButLeavesListAndLabel) {
    World w;
    auto& f = w.f();
    AddPlayer(f, "a", 1, 0);
    f.lstUsers.AddItem("\\ta");
    ClearRoster(f);
    EXPECT_EQ(f.roster.PlayerCount, 0);
    EXPECT_EQ(FindPlayer(f, "a"), -1);
    EXPECT_EQ(f.lstUsers.listCount(), 1);
    EXPECT_EQ(f.lstUsers.caption(), "1 players.");
}

TEST(Roster, ListMarksSpectatorsFromTheFirstRecordOfAName) {
    World w;
    auto& f = w.f();
    wireRosterToList(f);
    f.lstUsers.picList_Resize(200, 200, 16, 16);
    const struct {
        std::string name;
        std::uint8_t ship;
    } players[] = {{"Sitter", 8}, {"Pilot", 1}, {"twice", 2}, {"TWICE", 8}};
    for (const auto& p : players) {
        AddPlayer(f, p.name, p.ship, 0);
        f.lstUsers.AddItem("\\t" + p.name);
    }
    f.lstUsers.AddItem("\\eghost");  // listed but not in the roster
    // Sorted: ghost, Pilot, Sitter, twice (the second twice is refused by the list). The first
    // entry added keeps index 0 selected, which now is ghost.
    std::vector<int> markers;
    for (const auto& row : f.lstUsers.planRows())
        markers.push_back(row.marker);
    EXPECT_EQ(markers,
              (std::vector<int>{kMarkerSelected, kMarkerNone, kMarkerSpectator, kMarkerNone}));
    RemovePlayer(f, "twice");  // now the ship-8 record is the first
    EXPECT_EQ(f.lstUsers.planRows().back().marker, kMarkerSpectator);
}

// Lookups against a literal walk of the records, over random adds, removals, case rewrites of
// names by the caller and an emptying done by hand.
TEST(Roster, LookupsMatchAWalkOfTheRecordsOverRandomChanges) {
    std::mt19937 rng(11);
    const char* pool[] = {"bob", "BOB", "Ann", "ann", "zed", "\xC9l", "\xE9L", ""};
    World w;
    auto& f = w.f();
    const auto walk = [&](const std::string& name) -> std::int16_t {
        for (std::int16_t i = 0; i < f.roster.PlayerCount; ++i)
            if (foldCase(f.roster.records[static_cast<size_t>(i)].Name) == foldCase(name)) return i;
        return -1;
    };
    for (int step = 0; step < 3000; ++step) {
        const std::string name = pool[rng() % std::size(pool)];
        switch (rng() % 8) {
            case 0:
            case 1:
            case 2:
                AddPlayer(f, name, 1, 0);
                break;
            case 3:
                RemovePlayer(f, name);
                break;
            case 4:
                if (f.roster.PlayerCount > 0)
                    RemovePlayerAt(f, static_cast<std::int16_t>(rng() % f.roster.PlayerCount));
                break;
            case 5:
                if (f.roster.PlayerCount > 0) {
                    auto& r = f.roster.records[rng() % static_cast<size_t>(f.roster.PlayerCount)];
                    for (auto& c : r.Name)
                        c = static_cast<char>(rng() % 2
                                                  ? std::toupper(static_cast<unsigned char>(c))
                                                  : std::tolower(static_cast<unsigned char>(c)));
                }
                break;
            case 6:
                if (rng() % 20 == 0) {
                    f.roster.records.clear();
                    f.roster.PlayerCount = 0;
                }
                break;
            default:
                break;
        }
        for (const char* probe : pool)
            ASSERT_EQ(FindPlayer(f, probe), walk(probe)) << "step " << step << " " << probe;
    }
}

}  // namespace
}  // namespace orva
