// The renderer's arithmetic with nothing around it: the yardstick the
// program's own drawing loop is measured against.
#pragma once

#include <cstdint>

#include "catalogue/catalogue.h"
#include "console/screen.h"

// Draws `points` points of `entry` from (0, 0) into `plane` (640 x 400
// palette indices) with the program's generator, map choice, arithmetic,
// viewport and colours, but without event checks, overflow tests or a
// console.
void BareLoop(const CatalogueEntry& entry, int64_t points, uint8_t* plane);
