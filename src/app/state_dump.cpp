#include "app/state_dump.h"

#include <cstdio>

#include "app/globals.h"

namespace {

std::string Number(float value) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
  return buffer;
}

// Keys that are not printable are written as <code>.
std::string KeyText(const std::string& key) {
  std::string out;
  for (unsigned char c : key) {
    if (c >= 32 && c < 127) {
      out += static_cast<char>(c);
    } else {
      out += '<';
      out += std::to_string(c);
      out += '>';
    }
  }
  return out;
}

}  // namespace

std::string StateDump() {
  std::string out;
  const auto line = [&](const std::string& name, const std::string& value) { out += name + "=" + value + "\n"; };
  const std::pair<const char*, float> scalars[] = {
      {"K", G.K},     {"KK", G.KK},   {"DE", G.DE},   {"I", G.I},     {"J", G.J},     {"H", G.H},
      {"LX", G.LX},   {"LY", G.LY},   {"OX", G.OX},   {"OY", G.OY},   {"RX", G.RX},   {"RY", G.RY},
      {"X", G.X},     {"Y", G.Y},     {"XD", G.XD},   {"YD", G.YD},   {"A", G.map.A}, {"B", G.map.B},
      {"C", G.map.C}, {"D", G.map.D}, {"P", G.map.P}, {"Q", G.map.Q}, {"R", G.R},     {"CO", G.CO},
      {"HA", G.HA},   {"HST", G.HST}, {"HLS", G.HLS},
  };
  for (const auto& [name, value] : scalars) line(name, Number(value));
  const std::pair<const char*, const MapArray*> arrays[] = {
      {"A", &G.A}, {"B", &G.B}, {"P", &G.P}, {"C", &G.C}, {"D", &G.D}, {"Q", &G.Q},
  };
  for (const auto& [name, array] : arrays)
    for (int i = 1; i <= kMaxMaps; ++i) line(std::string(name) + "(" + std::to_string(i) + ")", Number((*array)[static_cast<size_t>(i)]));
  line("I$", KeyText(G.IS));
  for (size_t i = 1; i < G.AS.size(); ++i) line("A$(" + std::to_string(i) + ")", G.AS[i]);
  return out;
}
