// The millisecond clock (monotonic) and sleeping.
#pragma once

#include <cstdint>

// Milliseconds of a monotonic clock; only differences mean anything.
int64_t clockMs();
void sleepMs(int ms);
