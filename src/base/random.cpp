#include "base/random.h"

#include <random>

namespace orva {

int randomBetween(int low, int high) {
    // Seeded once per run: seeding from the clock on every call gave two calls in the same second
    // the same number.
    static std::mt19937 generator{std::random_device{}()};
    return std::uniform_int_distribution<int>(low, high)(generator);
}

}  // namespace orva
