// Positions on a device. Cells and cell sizes may hold any 32-bit value (a
// picture reference may name any row, a host any client size), so positions
// made from them are worked out in 64 bits and clamped to 32; GDI's device
// space reaches 2^27 units each way, and a picture placed beyond it is
// never drawn.
#pragma once

#include <cstdint>

constexpr int32_t kDeviceSpaceLimit = 1 << 27;

// The value, or the nearer end of the 32-bit range.
int32_t ClampToInt32(int64_t value);
