// Where the main window's parts go when its size changes. Plain numbers, in pixels.
#pragma once

namespace orva {

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

// The parts' current places. Start from the designed sizes; each resize moves them on from there,
// so a size that cannot be set (negative) keeps its last value.
struct MainLayout {
    Box frmLogin{0, 0, 300, 0};
    Box frameMain;
    Box lstZones{8, 8, 0, 0};
    Box pingRow{8, 0, 0, 28};  // "Ping On", "Ping Off" and the check box, under the zone list
    Box lstUsers{0, 0, 168, 0};
    Box picSplit{0, 0, 4, 0};
    Box txtLog;
    Box txtOut{0, 0, 0, 24};
    Box Line1{0, 0, 0, 1};
};

// The designed inner size of the window.
inline constexpr int kDesignedWidth = 780;
inline constexpr int kDesignedHeight = 480;

// Moves the parts for an inner area of width x height pixels.
void Form_Resize(MainLayout& l, int width, int height, int twipsPerPixelX);

}  // namespace orva
