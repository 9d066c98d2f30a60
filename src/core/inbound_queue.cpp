#include "core/inbound_queue.h"

#include <utility>

namespace orva {

namespace {
// The clock is read only every so many lines: reading it costs more than a short line.
constexpr std::size_t kClockStride = 64;
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
    while (!lines_.empty()) {
        if (done == maxLines_ ||
            (done % kClockStride == 0 && done > 0 && clock_.tickCount() - start >= maxMs_)) {
            nextTurn_->setEnabled(true);
            return;
        }
        std::string line = std::move(lines_.front());
        lines_.pop_front();
        handling_ = true;
        handler_(line);
        handling_ = false;
        ++done;
    }
}

void InboundQueue::clear() {
    lines_.clear();
    nextTurn_->setEnabled(false);
}

}  // namespace orva
