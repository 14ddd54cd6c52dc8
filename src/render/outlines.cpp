#include "render/outlines.h"

#include "app/check_events.h"

void DrawTransformOutlines() {
  CheckEvents(); G.HA = 72;   // four text rows from one map to the next
  CheckEvents(); G.HST = 50;
  CheckEvents(); G.HLS = 95;
  CheckEvents(); const float limit = G.K;
  CheckEvents(); G.I = 1;
  do {
    CheckEvents(); const float top = G.HST + (G.I - 1) * G.HA;
    CheckEvents(); const float bottom = G.HLS + (G.I - 1) * G.HA;
    CheckEvents(); const int colour = static_cast<int>((7 - G.I) * 2);
    CheckEvents(); con->DrawLine(0, top, 0, bottom, colour, 0);          // left bracket
    CheckEvents(); con->DrawLine(0, top, 8, top, colour, 0);
    CheckEvents(); con->DrawLine(168, bottom, 176, bottom, colour, 0);   // right bracket, bottom
    CheckEvents(); con->DrawLine(0, bottom, 8, bottom, colour, 0);
    CheckEvents(); con->DrawLine(168, top, 176, top, colour, 0);         // right bracket, top
    CheckEvents(); con->DrawLine(115, top, 115, bottom, colour, 0);      // bar before P and Q
    CheckEvents(); con->DrawLine(176, top, 176, bottom, colour, 0);      // right bracket
    CheckEvents(); G.I = G.I + 1;
  } while (G.I <= limit);
}
