// Lets the event loop run a few turns, so queued paints and signals have happened.
#pragma once

#include <QApplication>

namespace orva::test {

inline void settle(int turns = 3) {
    for (int i = 0; i < turns; ++i)
        QApplication::processEvents();
}

}  // namespace orva::test
