// Catalogue loading: copies record KK into the transform set.
#include "app/check_events.h"
#include "app/states.h"
#include "catalogue/catalogue.h"

State LoadCatalogueEntry() {
  // Every load reads its record from the first number.
  CheckEvents(); const auto& record = kCatalogue[static_cast<size_t>(G.KK) - 1].record;
  size_t next = 0;
  const auto take = [&] { return record[next++]; };
  CheckEvents(); G.K = take();
  CheckEvents(); const float limit = G.K;
  CheckEvents(); G.I = 1;
  do {
    const auto i = static_cast<size_t>(G.I);
    CheckEvents(); G.A[i] = take();
    CheckEvents(); G.B[i] = take();
    CheckEvents(); G.P[i] = take();
    CheckEvents(); G.C[i] = take();
    CheckEvents(); G.D[i] = take();
    CheckEvents(); G.Q[i] = take();
    CheckEvents(); G.I = G.I + 1;
  } while (G.I <= limit);
  CheckEvents(); con->SetColor(1);  // the entry's name is printed next
  CheckEvents(); con->SetTextWindow(0, 23);
  return State::kDrawingSetUp;
}
