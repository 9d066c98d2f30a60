// The door to time: a millisecond tick count and the local calendar time.
#pragma once

#include <cstdint>

namespace orva {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

class IClock {
  public:
    virtual ~IClock() = default;
    virtual std::uint32_t tickCount() const = 0;  // milliseconds since some start; wraps
    virtual LocalTime localTime() const = 0;
};

}  // namespace orva
