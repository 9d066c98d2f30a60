// The program's one source of chance, seeded once per run.
#pragma once

namespace orva {

// A number from low to high, both included.
int randomBetween(int low, int high);

}  // namespace orva
