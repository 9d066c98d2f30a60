#include "core/outgoing_queue.h"

#include <algorithm>

namespace orva {

int SendPacer::available(std::uint32_t now) const {
    if (!lastLeft_) return allowance_;
    // Unsigned subtraction keeps the distance right across a wrap of the tick count.
    const std::uint32_t refills = (now - *lastLeft_) / kRefillMs;
    return static_cast<int>(std::min<std::uint32_t>(kAllowance, allowance_ + refills));
}

bool SendPacer::take(std::uint32_t now) {
    const int left = available(now);
    if (left == 0) return false;
    allowance_ = left - 1;
    lastLeft_ = now;
    return true;
}

std::uint32_t SendPacer::wait(std::uint32_t now) const {
    if (available(now) > 0) return 0;
    return *lastLeft_ + kRefillMs - now;
}

std::string UnsentLinesText(std::size_t count) {
    if (count == 1) return "1 line was not sent: the connection closed.";
    return std::to_string(count) + " lines were not sent: the connection closed.";
}

}  // namespace orva
