#include "render/frame.h"

#include "app/check_events.h"

void DrawFrame() {
  CheckEvents(); con->DrawLine(180, 50, 639, 399, 1, 1);   // the drawing area
  CheckEvents(); con->DrawLine(180, 225, 639, 225, 1, 0);  // x-axis through OY
  CheckEvents(); con->DrawLine(395, 50, 395, 399, 1, 0);   // y-axis through OX
}
