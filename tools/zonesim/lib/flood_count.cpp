#include "flood_count.h"

namespace zonesim {

FloodCount::Verdict FloodCount::take(std::int64_t tickMs) {
    if (any_) {
        const std::int64_t seconds = tickMs > last_ ? (tickMs - last_) / 1000 : 0;
        count_ = seconds >= 31 ? 0 : count_ >> seconds;
    }
    any_ = true;
    last_ = tickMs;
    const bool wasMuted = muted(tickMs);
    if (++count_ < kLimit) return wasMuted ? Verdict::Dropped : Verdict::Pass;
    count_ /= 2;
    ++mutes_;
    mutedUntil_ = (wasMuted ? mutedUntil_ : tickMs) + muteMs_;
    return wasMuted ? Verdict::Dropped : Verdict::Muted;
}

}  // namespace zonesim
