// Lines on their way to the server: one queue in the order they were sent, with chat lines paced
// so that the server's flood count never mutes the user.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace orva {

// The allowance that chat ("SEND:") lines leave under. The server halves a sender's count for
// every whole second between two chat lines and mutes at ten; a line every 1,200 ms after a burst
// of four always gives it a whole second, so its count stays at seven at most.
class SendPacer {
  public:
    static constexpr int kAllowance = 4;
    static constexpr std::uint32_t kRefillMs = 1200;

    // Takes one from the allowance for a line leaving at tick `now`; false when none is left.
    bool take(std::uint32_t now);
    // Milliseconds from `now` until take() succeeds.
    std::uint32_t wait(std::uint32_t now) const;

  private:
    // One comes back for every whole kRefillMs since the last chat line left; the rest of the
    // time is not carried over, as the server does not carry it.
    int available(std::uint32_t now) const;

    int allowance_ = kAllowance;
    std::optional<std::uint32_t> lastLeft_;
};

struct OutgoingQueue {
    std::deque<std::string> lines;
    SendPacer pacer;
};

// The status line for lines dropped when their connection ended.
std::string UnsentLinesText(std::size_t count);

}  // namespace orva
