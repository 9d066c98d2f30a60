// The zone server's flood count of one sender's chat lines, fed with the time each line is taken.
#pragma once

#include <cstdint>

namespace zonesim {

// Every chat line first halves the count once per whole second since the sender's previous chat
// line (the rest of the second is not carried over), then adds one. At 10 the sender is muted
// and the count halved; lines taken while muted still count, and reaching 10 again adds a mute.
class FloodCount {
  public:
    enum class Verdict {
        Pass,     // the line goes on
        Muted,    // this line muted the sender: it is dropped and the sender told
        Dropped,  // the sender is muted: dropped without a word
    };

    explicit FloodCount(std::int64_t muteMs = 60000) : muteMs_(muteMs) {}

    Verdict take(std::int64_t tickMs);
    bool muted(std::int64_t tickMs) const { return tickMs < mutedUntil_; }
    int count() const { return count_; }
    int mutes() const { return mutes_; }  // how often the count reached 10

  private:
    static constexpr int kLimit = 10;

    std::int64_t muteMs_;
    int count_ = 0;
    int mutes_ = 0;
    bool any_ = false;
    std::int64_t last_ = 0;
    std::int64_t mutedUntil_ = 0;
};

}  // namespace zonesim
