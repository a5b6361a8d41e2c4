// Material classes: a material number from 1 to 99 names a class, whose
// material comes from the class table "N_Mtldef" (row c of its one record)
// or, for classes 1 to 40, from a built-in default.
#pragma once

#include <cstdint>

// The whole part of a four-byte real, truncated toward zero; 0 for NaN, and
// the nearest end of the eight-byte range beyond it.
int64_t WholeNumber(float value);

// The material of class c (1..99): the first of words 2, 8, 3, 4, 5, 6 and 9
// of the class's row whose whole part is above 0, else the default of classes
// 1 to 40. False when the class table cannot be read, or when the row names
// no material and the class has no default. The table's unit is closed on
// every path.
bool ResolveMaterialClass(int64_t classNumber, int64_t* materialNumber);
