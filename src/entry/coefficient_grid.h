// Where the entry form and the coefficient table put map I's six values:
// its x-row (A, B, P) on text row 4I - 1 and its y-row (C, D, Q) on row 4I,
// at columns H + 1, H + 8 and H + 15. The transform outlines frame the same
// rows.
#pragma once

#include "app/globals.h"

inline int UpperRow(float i) { return 4 * static_cast<int>(i) - 1; }
inline int LowerRow(float i) { return 4 * static_cast<int>(i); }
inline int FirstColumn() { return static_cast<int>(G.H) + 1; }
inline int SecondColumn() { return static_cast<int>(G.H) + 8; }
inline int ThirdColumn() { return static_cast<int>(G.H) + 15; }
