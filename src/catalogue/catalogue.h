// The transform sets built into the program, as one constant table.
#pragma once

#include <array>
#include <string_view>

constexpr int kCatalogueSize = 24;

// The longest record: a count and six numbers for each of five maps.
constexpr int kMaxRecord = 1 + 6 * 5;

struct CatalogueEntry {
  std::string_view name;                // as shown on the selection screen
  std::array<float, kMaxRecord> record; // K, then A B P C D Q per map
};

// Entry n is kCatalogue[n - 1].
extern const std::array<CatalogueEntry, kCatalogueSize> kCatalogue;
