// The program's global state, defined once. Every number is single
// precision and starts at 0, every string empty, as at program start.
#pragma once

#include <array>
#include <string>

namespace console {
class Console;
}

// Maps are numbered 1 to 5; element 0 of each array is never used.
constexpr int kMaxMaps = 5;
using MapArray = std::array<float, kMaxMaps + 1>;

struct Globals {
  // Transform set
  float K;           // number of maps, 1 to 5
  MapArray A, B, P;  // map I: x' = A(I)x + B(I)y + P(I)
  MapArray C, D, Q;  //        y' = C(I)x + D(I)y + Q(I)

  // Catalogue selection
  float KK;                        // selected catalogue entry, 1 to 24
  float DE;                        // 1 while the transform set came from the catalogue
  std::array<std::string, 31> AS;  // A$(): catalogue names, slots 1 to 24 used
  float LX, LY;                    // text column and row of the highlighted name
  float J;                         // grid row counter of the selection screen

  // Shared
  float I;         // the one loop counter over maps and names
  std::string IS;  // I$: the key last returned by PollKey
  float H;         // column offset of the entry form and table; always 0

  // Viewport: plane point (x, y) is drawn at pixel (OX + x*RX, OY - y*RY)
  float OX, OY, RX, RY;

  // Renderer
  float X, Y;                    // current point
  float XD, YD;                  // image point
  struct {
    float A, B, C, D, P, Q;  // the current map, a copy of one row of the set
  } map;
  float R;                       // random digit, then the chosen map
  float CO;                      // colour of the next point

  // Transform outlines
  float HA, HST, HLS;  // spacing, top and bottom of map 1's outline

  bool trapArmed;  // the overflow trap: armed by the renderer, never disarmed
};

extern Globals G;

// The console the program runs on.
extern console::Console* con;
