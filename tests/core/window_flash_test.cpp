#include "core/window_flash.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/frm_main.h"
#include "support/fakes.h"

namespace orva {
namespace {

TEST(WindowFlash, TicksToggleTheHighlightUntilAResizeEndsIt) {
    test::World w;
    FrmMain& f = w.f();
    wireWindowFlash(f);
    std::vector<bool> lit;
    f.flashWindow.connect([&](bool on) { lit.push_back(on); });
    f.tmrflash->setInterval(250);
    f.tmrflash->setEnabled(true);
    w.clock.advance(750);
    EXPECT_EQ(lit, (std::vector<bool>{true, false, true}));
    Form_Resize(f);  // stopped while lit: the highlight goes too
    EXPECT_FALSE(f.tmrflash->enabled());
    EXPECT_EQ(lit, (std::vector<bool>{true, false, true, false}));
    w.clock.advance(1000);
    Form_Resize(f);
    EXPECT_EQ(lit.size(), 4u);
    f.tmrflash->setEnabled(true);  // the next flashing starts lit again
    w.clock.advance(250);
    EXPECT_EQ(lit.back(), true);
}

}  // namespace
}  // namespace orva
