#include "qt/main_layout.h"

namespace orva {
namespace {

// A width or height below zero cannot be set: that one step is skipped.
void setSize(int& field, int value) {
    if (value >= 0) field = value;
}

}  // namespace

void Form_Resize(MainLayout& l, int width, int height, int twipsPerPixelX) {
    const int tpp = twipsPerPixelX > 0 ? twipsPerPixelX : 15;

    // The login panels fill the window side by side, frmLogin on the right.
    l.frmLogin.left = width - l.frmLogin.width;
    setSize(l.frmLogin.height, height);
    setSize(l.frameMain.width, width - l.frmLogin.width);
    setSize(l.frameMain.height, height);
    // The zone list keeps 300 twips of the panel free beside it.
    const int zonesTwips = tpp * l.frameMain.width - 300;
    if (zonesTwips >= 0) l.lstZones.width = zonesTwips / tpp;
    // Below the list sits the row of ping controls, at the panel's bottom.
    l.pingRow.top = l.frameMain.height - l.pingRow.height - 8;
    l.pingRow.width = l.lstZones.width;
    setSize(l.lstZones.height, l.pingRow.top - 8 - l.lstZones.top);

    // The chat parts: player list on the right edge, separator bar one pixel to its left, the
    // chat view filling the rest above the input line.
    l.lstUsers.left = width - l.lstUsers.width;
    setSize(l.lstUsers.height, height);
    l.picSplit.left = l.lstUsers.left - l.picSplit.width - 1;
    setSize(l.picSplit.height, l.lstUsers.height);
    setSize(l.txtLog.height, height - l.txtOut.height);
    setSize(l.txtLog.width, l.picSplit.left - 1);
    setSize(l.txtOut.width, l.txtLog.width);
    l.txtOut.top = l.txtLog.height + 1;
    l.Line1 = {0, l.txtLog.height, l.txtOut.width, 1};
}

}  // namespace orva
