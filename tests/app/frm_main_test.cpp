#include "app/frm_main.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace orva::test {
namespace {

TEST(FrmMain, StartsDisconnectedWithTimersStopped) {
    World w;
    EXPECT_FALSE(w.f().menu_Disconnect.Enabled.get());
    EXPECT_FALSE(w.f().cmdConnect.Enabled.get());
    for (auto* t : {w.f().tmrHalter.get(), w.f().tmrflash.get(), w.f().tmrPing.get(),
                    w.f().tmrPing2.get(), w.f().tmrPing3.get()})
        EXPECT_FALSE(t->enabled());
}

TEST(ManualClock, FiresDueTimersInOrder) {
    ManualClock clock;
    auto a = clock.createTimer();
    auto b = clock.createTimer();
    std::string order;
    a->setInterval(300);
    b->setInterval(200);
    a->onTick([&] { order += 'a'; });
    b->onTick([&] { order += 'b'; });
    a->setEnabled(true);
    b->setEnabled(true);
    clock.advance(650);
    EXPECT_EQ(order, "babab");  // at 600 both are due: the older timer first
}

}  // namespace
}  // namespace orva::test
