// The zone simulator: a chat line protocol server on loopback, embeddable in tests.
#pragma once

namespace zonesim {}
