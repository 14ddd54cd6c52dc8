// One line of a text or colour dump.
#pragma once

#include <string>

// Row `row` (0 to 23) of `dump`, without its line end.
inline std::string DumpLine(const std::string& dump, int row) {
  size_t start = 0;
  for (int i = 0; i < row; ++i) start = dump.find('\n', start) + 1;
  return dump.substr(start, dump.find('\n', start) - start);
}
