#include "zones/zone_ping.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/frm_main.h"
#include "support/fakes.h"
#include "zones/ping_buttons.h"

namespace orva::test {
namespace {

std::string le(std::uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string row(const std::string& left, const std::string& name, const std::string& right) {
    return left + " " + FitText(name, 30) + right;
}

const std::string kBlank = "      " + FitText("A", 30) + " ????";

struct Pinger {
    explicit Pinger(int zones) {
        for (int i = 0; i < zones; ++i)
            AddZone(w.f(), i == 0 ? "A" : "Z" + std::to_string(i), "h" + std::to_string(i),
                    static_cast<std::uint16_t>(5000 + i));
        wirePingHandlers(w.f());
        cmdPingOn_Click(w.f());
    }
    // Runs the clock until the next request leaves; returns its time, or 0 when none did.
    std::uint64_t untilSend(std::uint64_t within = 10000) {
        const std::size_t before = w.udp->sent.size();
        for (std::uint64_t i = 0; i < within && w.udp->sent.size() == before; ++i)
            w.clock.advance(1);
        return w.udp->sent.size() > before ? w.clock.now() : 0;
    }
    const std::string& lastRequest() { return w.udp->sent.back().bytes; }
    World w;
};

TEST(ZonePing, ReadLongLE) {
    struct Case {
        std::string bytes;
        int offset;
        std::int32_t expected;
    } cases[] = {
        {std::string("\x0A\0\0\0", 4), 0, 10},
        {"\x01\x02\x03\x04\x05", 1, 0x05040302},
        {"\xFF\xFF\xFF\xFF", 0, -1},
        {"\x01\x02", 0, 0x0201},  // missing bytes count as 0
        {"\x01\x02", 4, 0},
        {"\x01\x02", -1, 0x020100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadLongLE(c.bytes, c.offset), c.expected) << c.offset;
}

// What one zone's request meets, what its row then shows, and when the next zone is asked.
TEST(ZonePing, OneZoneOneOutcome) {
    struct Case {
        const char* name;
        std::function<void(Pinger&)> meet;  // runs right after the request to zone A left at 800
        std::string left, right;
        std::uint64_t nextSend;
        bool failSend = false;
    } cases[] = {
        {"reply after 35 ms",
         [](Pinger& p) {
             p.w.clock.advance(35);
             p.w.udp->deliver(le(10) + p.lastRequest());
         },
         "   35", "   10", 1835},
        {"count cut to five digits, bytes past the eighth ignored",
         [](Pinger& p) { p.w.udp->deliver(le(123456) + p.lastRequest() + "xyz"); }, "    0",
         "12345", 1800},
        {"no reply: the watchdog gives up", [](Pinger&) {}, " --- ", "    0", 3600},
        {"foreign echo is no reply", [](Pinger& p) { p.w.udp->deliver(le(10) + le(799)); }, " --- ",
         "    0", 3600},
        {"short datagram is no reply", [](Pinger& p) { p.w.udp->deliver(le(10)); }, " --- ",
         "    0", 3600},
        {"unreadable reply",
         [](Pinger& p) {
             p.w.clock.advance(5);
             p.w.udp->readError();
         },
         " --- ", "    0", 1805},
        {"failed send shows the last reply's values", [](Pinger&) {}, "   20", "    7", 1800, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Pinger p(2);
        p.w.f().zones.Zones[0].Players = 7;  // as left by an earlier reply
        p.w.f().zones.Zones[0].PingTime = 20;
        p.w.udp->failSends = c.failSend;
        ASSERT_EQ(p.untilSend(), 800u);
        p.w.udp->failSends = false;
        EXPECT_EQ(p.w.udp->sent[0].host, "h0");
        EXPECT_EQ(p.w.udp->sent[0].port, 5001);
        EXPECT_EQ(p.lastRequest(), le(800));
        c.meet(p);
        EXPECT_EQ(p.untilSend(), c.nextSend);
        EXPECT_EQ(p.w.udp->sent.back().port, 5002);
        EXPECT_EQ(p.w.f().lstZones.List(0), row(c.left, "A", c.right));
    }
}

TEST(ZonePing, LateReplyIsNotCreditedToTheNextZone) {
    Pinger p(2);
    p.untilSend();
    const std::string forA = p.lastRequest();
    ASSERT_EQ(p.untilSend(), 3600u);  // A timed out
    p.w.udp->deliver(le(99) + forA);
    p.w.clock.advance(50);
    p.w.udp->deliver(le(4) + p.lastRequest());
    p.w.udp->deliver(le(99) + p.lastRequest());  // a duplicate counts once
    p.w.clock.advance(200);
    EXPECT_EQ(p.w.f().lstZones.List(1), row("   50", "Z1", "    4"));
    EXPECT_EQ(p.w.f().zones.Zones[0].Players, 0);
}

TEST(ZonePing, OffDuringAWaitBlanksRowsAndOnRestartsAtZoneZero) {
    Pinger p(0);
    EXPECT_EQ(p.untilSend(2000), 0u);  // nothing to ping, yet the pacing goes on
    EXPECT_TRUE(p.w.f().tmrPing->enabled());
    AddZone(p.w.f(), "A", "h0", 5000);
    AddZone(p.w.f(), "B", "h1", 5001);
    p.untilSend();
    p.w.udp->deliver(le(3) + p.lastRequest());
    p.untilSend();
    const std::string forB = p.lastRequest();
    cmdPingOff_Click(p.w.f());
    p.w.udp->deliver(le(8) + forB);
    EXPECT_EQ(p.untilSend(6000), 0u);
    EXPECT_EQ(p.w.f().lstZones.List(0), kBlank);
    EXPECT_EQ(p.w.f().lstZones.List(1), "      " + FitText("B", 30) + " ????");
    EXPECT_EQ(p.w.f().zones.Zones[0].Players, 3);  // stored values stay
    EXPECT_EQ(p.w.f().zones.Zones[1].Players, 0);
    cmdPingOn_Click(p.w.f());
    p.untilSend();
    EXPECT_EQ(p.w.udp->sent.back().host, "h0");
}

TEST(ZonePing, EveryZoneOfALongListIsVisited) {
    constexpr int kZones = 300;
    Pinger p(kZones);
    for (int i = 0; i <= kZones; ++i) {
        // An immediate reply makes each zone take 200 + 800 ms.
        p.w.clock.advance(i == 0 ? 800 : 1000);
        ASSERT_EQ(p.w.udp->sent.size(), static_cast<std::size_t>(i + 1));
        ASSERT_EQ(p.w.udp->sent.back().port, 5001 + i % kZones);
        p.w.udp->deliver(le(static_cast<std::uint32_t>(i % kZones)) + p.lastRequest());
    }
    EXPECT_EQ(p.w.f().lstZones.List(kZones - 1),
              row("    0", "Z" + std::to_string(kZones - 1), "  299"));
}

}  // namespace
}  // namespace orva::test
