#include "core/inbound_queue.h"

#include <utility>

namespace orva {

namespace {
// The clock is read only every so many lines: reading it costs more than a short line.
constexpr std::size_t kClockStride = 64;
constexpr std::size_t kCompactBytes = 64 * 1024;
}  // namespace

InboundQueue::InboundQueue(IClock& clock, std::unique_ptr<ITimer> nextTurn, Handler handler)
    : clock_(clock), nextTurn_(std::move(nextTurn)), handler_(std::move(handler)) {
    nextTurn_->setInterval(0);
    nextTurn_->setEnabled(false);
    nextTurn_->onTick([this] {
        nextTurn_->setEnabled(false);
        drain();
    });
}

void InboundQueue::drain() {
    if (handling_) return;  // the line in hand finishes first; its caller drains on
    const std::uint32_t start = clock_.tickCount();
    std::size_t done = 0;
    while (next_ < ends_.size()) {
        if (done == maxLines_ ||
            (done % kClockStride == 0 && done > 0 && clock_.tickCount() - start >= maxMs_)) {
            nextTurn_->setEnabled(true);
            return;
        }
        const std::size_t end = ends_[next_++];
        current_.assign(bytes_, start_, end - start_);
        start_ = end;
        compact();
        handling_ = true;
        handler_(current_);
        handling_ = false;
        ++done;
    }
}

void InboundQueue::compact() {
    if (next_ == ends_.size()) {
        // Empty: start over at the front (the usual case after every slice that finishes).
        bytes_.clear();
        ends_.clear();
        next_ = start_ = 0;
        return;
    }
    // A queue that never runs dry drops its handled front now and then, not per line.
    if (start_ < kCompactBytes || start_ < bytes_.size() / 2) return;
    bytes_.erase(0, start_);
    ends_.erase(ends_.begin(), ends_.begin() + static_cast<std::ptrdiff_t>(next_));
    for (auto& end : ends_)
        end -= start_;
    next_ = start_ = 0;
}

void InboundQueue::clear() {
    bytes_.clear();
    ends_.clear();
    next_ = start_ = 0;
    nextTurn_->setEnabled(false);
}

}  // namespace orva
