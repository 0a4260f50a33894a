#pragma once

#include <cstdint>

// Wall-clock time in milliseconds since 1970; the one clock of the program.
std::int64_t now_ms();
