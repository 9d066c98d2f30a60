#include "zones/zone_ping.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/frm_main.h"
#include "support/fakes.h"
#include "zones/ping_buttons.h"

namespace orva::test {
namespace {

std::string le(std::uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

// Zones "Z0", "Z1", ... at ports 5000, 5001, ..., pinging since time 0.
struct Pinger {
    explicit Pinger(int zones) {
        for (int i = 0; i < zones; ++i)
            AddZone(w.f(), "Z" + std::to_string(i), "h", static_cast<std::uint16_t>(5000 + i));
        wirePingHandlers(w.f());
        cmdPingOn_Click(w.f());
    }
    // Runs the clock until the next request leaves; its time, or 0 when none left.
    std::uint64_t untilSend() {
        const std::size_t before = w.udp->sent.size();
        for (int i = 0; i < 10000 && w.udp->sent.size() == before; ++i)
            w.clock.advance(1);
        return w.udp->sent.size() > before ? w.clock.now() : 0;
    }
    void reply(std::uint32_t players) { w.udp->deliver(le(players) + w.udp->sent.back().bytes); }
    std::string status(int i) {
        const std::string& row = w.f().lstZones.List(i);
        return row.substr(0, 5) + "|" + row.substr(36);
    }
    World w;
};

// What the request to Z0 (sent at 800) meets, what its row then shows, when Z1 is asked.
TEST(ZonePing, OneZoneOneOutcome) {
    struct Case {
        const char* name;
        std::function<void(Pinger&)> meet;
        const char* status;
        std::uint64_t nextSend;
        bool failSend = false;
    } cases[] = {
        {"reply 35 ms later", [](Pinger& p) { p.w.clock.advance(35), p.reply(10); }, "   35|   10",
         1835},
        {"count cut to five digits, bytes past the eighth ignored",
         [](Pinger& p) { p.w.udp->deliver(le(123456) + p.w.udp->sent.back().bytes + "xyz"); },
         "    0|12345", 1800},
        {"no reply", [](Pinger&) {}, " --- |    0", 3600},
        {"foreign echo", [](Pinger& p) { p.w.udp->deliver(le(10) + le(799)); }, " --- |    0",
         3600},
        {"unreadable reply", [](Pinger& p) { p.w.udp->readError(); }, " --- |    0", 1800},
        {"failed send: the last reply's values", [](Pinger&) {}, "   20|    7", 1800, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Pinger p(2);
        p.w.f().zones.Zones[0].Players = 7;
        p.w.f().zones.Zones[0].PingTime = 20;
        p.w.udp->failSends = c.failSend;
        ASSERT_EQ(p.untilSend(), 800u);
        p.w.udp->failSends = false;
        EXPECT_EQ(p.w.udp->sent[0].port, 5001);
        EXPECT_EQ(p.w.udp->sent[0].bytes, le(800));
        c.meet(p);
        EXPECT_EQ(p.untilSend(), c.nextSend);
        EXPECT_EQ(p.w.udp->sent.back().port, 5002);
        EXPECT_EQ(p.status(0), c.status);
    }
}

TEST(ZonePing, RepliesOutOfTurnAreIgnoredAndPingOffBlanksTheRows) {
    Pinger p(2);
    p.untilSend();
    const std::string forZ0 = p.w.udp->sent.back().bytes;
    ASSERT_EQ(p.untilSend(), 3600u);  // Z0 timed out; Z1 asked
    p.w.udp->deliver(le(99) + forZ0);
    p.reply(4);
    p.reply(98);  // a duplicate
    p.untilSend();
    EXPECT_EQ(p.status(1), "    0|    4");
    p.reply(5);
    cmdPingOff_Click(p.w.f());
    EXPECT_EQ(p.untilSend(), 0u);
    EXPECT_EQ(p.status(0), "     | ????");
    EXPECT_EQ(p.status(1), "     | ????");
}

// Names are looked up before the tick is read, and a lookup only ever touches its own request.
TEST(ZonePing, NameLookupsStayWithTheirRequest) {
    Pinger p(2);
    FakeUdp& udp = *p.w.udp;
    udp.holdLookups = true;
    auto untilLookup = [&](std::size_t n) {
        for (int i = 0; i < 10000 && udp.lookups.size() < n; ++i)
            p.w.clock.advance(1);
        return udp.lookups.size() == n;
    };
    ASSERT_TRUE(untilLookup(1));
    EXPECT_EQ(p.w.clock.now(), 800u);
    EXPECT_TRUE(udp.sent.empty());
    p.w.clock.advance(300);  // a slow name service
    udp.lookups[0].done(true);
    ASSERT_EQ(udp.sent.size(), 1u);
    EXPECT_EQ(udp.sent[0].bytes, le(1100));
    p.w.clock.advance(35);
    p.reply(10);
    ASSERT_TRUE(untilLookup(2));  // Z1's lookup hangs until the watchdog moves on to Z0
    EXPECT_EQ(p.status(0), "   35|   10");
    ASSERT_TRUE(untilLookup(3));
    EXPECT_EQ(p.status(1), " --- |    0");
    udp.lookups[2].done(true);
    udp.lookups[1].done(false);  // Z1's, late: Z0's request is still awaited
    udp.lookups[1].done(true);   // and sends nothing
    ASSERT_EQ(udp.sent.size(), 2u);
    EXPECT_EQ(udp.sent[1].port, 5001);
    p.w.clock.advance(20);
    p.reply(3);
    ASSERT_TRUE(untilLookup(4));
    EXPECT_EQ(p.status(0), "   20|    3");
    udp.lookups[3].done(false);  // no address: Z1 is passed over, Z0 is next
    ASSERT_TRUE(untilLookup(5));
    EXPECT_EQ(p.w.f().ping.PingCursor, 0);
    EXPECT_EQ(udp.sent.size(), 2u);
    EXPECT_EQ(p.status(1), "    0|    0");  // as after a failed send: its last reply's values
}

TEST(ZonePing, ZonesPastThe256thArePinged) {
    for (int cursor : {255, 299}) {
        Pinger p(300);
        p.w.f().ping.PingCursor = cursor;
        p.untilSend();
        p.reply(1);
        EXPECT_EQ(p.untilSend() > 0 ? p.w.udp->sent.back().port : 0, (cursor + 1) % 300 + 5001);
    }
}

}  // namespace
}  // namespace orva::test
