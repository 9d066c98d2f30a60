// Received lines waiting to be handled: one at a time, in order, in short slices.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/timer.h"

namespace orva {

// Lines are handled one at a time in arrival order. A line whose handling waits (a modal box
// runs the event loop) finishes before the next starts: lines arriving meanwhile only queue up.
// Draining stops after a slice of a few milliseconds and goes on at the next turn of the event
// loop (a zero-interval timer), so a flood never freezes the window.
class InboundQueue {
  public:
    using Handler = std::function<void(std::string& line)>;

    InboundQueue(IClock& clock, std::unique_ptr<ITimer> nextTurn, Handler handler);
    InboundQueue(const InboundQueue&) = delete;
    InboundQueue& operator=(const InboundQueue&) = delete;

    void push(std::string_view line) {
        bytes_.append(line);
        ends_.push_back(bytes_.size());
    }
    // Handles a slice of the waiting lines unless a line is being handled already.
    void drain();
    // Forgets the waiting lines (the connection they came from is gone).
    void clear();

    std::size_t size() const { return ends_.size() - next_; }
    bool handling() const { return handling_; }
    bool continuationPending() const { return nextTurn_->enabled(); }

    // Slice bounds: at most this many lines, or this many milliseconds, whichever comes first.
    void setSliceLimits(std::size_t maxLines, std::uint32_t maxMs) {
        maxLines_ = maxLines;
        maxMs_ = maxMs;
    }

  private:
    void compact();

    IClock& clock_;
    std::unique_ptr<ITimer> nextTurn_;
    Handler handler_;
    // The waiting lines back to back in one buffer (no allocation per line): line i ends at
    // ends_[i]; next_ is the first line not yet taken, starting at start_.
    std::string bytes_;
    std::vector<std::size_t> ends_;
    std::size_t next_ = 0, start_ = 0;
    std::string current_;  // the line in hand; its capacity is reused
    bool handling_ = false;
    std::size_t maxLines_ = 20000;
    std::uint32_t maxMs_ = 5;
};

}  // namespace orva
