// The door to time: a millisecond tick count and the local calendar time.
#pragma once

#include <cstdint>
#include <string_view>

namespace orva {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

class IClock {
  public:
    virtual ~IClock() = default;
    virtual std::uint32_t tickCount() const = 0;  // milliseconds since some start; wraps
    virtual LocalTime localTime() const = 0;
    // The local date and time as the desktop writes it: the user's date format and the time to
    // the second, in the program's code page. Valid until the next call; the trace stamps every
    // line with it, so it must not allocate per call.
    virtual std::string_view dateTimeText() const = 0;
};

}  // namespace orva
