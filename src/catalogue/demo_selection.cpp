// The demo selection screen: the 24 catalogue names in a grid of eight rows
// and three columns; the arrow keys move the highlight, Return accepts.
#include <string>

#include "app/check_events.h"
#include "app/states.h"
#include "catalogue/catalogue.h"

namespace {

constexpr int kHighlight = 4;
constexpr int kNormal = 7;

// The keys this screen takes, as PollKey gives them.
const std::string kUp(1, console::kKeyUp);
const std::string kDown(1, console::kKeyDown);
const std::string kRight(1, console::kKeyRight);
const std::string kLeft(1, console::kKeyLeft);
const std::string kReturn(1, console::kKeyReturn);

const std::string& HighlightedName() { return G.AS[static_cast<size_t>(G.KK)]; }

void Highlight() {
  CheckEvents(); con->Locate(static_cast<int>(G.LX), static_cast<int>(G.LY));
  CheckEvents(); con->SetColor(kHighlight);
  CheckEvents(); con->PrintItems({HighlightedName()}, true);
}

void UnHighlight() {
  CheckEvents(); con->SetColor(kNormal);
  CheckEvents(); con->Locate(static_cast<int>(G.LX), static_cast<int>(G.LY));
  CheckEvents(); con->PrintItems({HighlightedName()}, true);
}

void WaitForKey() {
  do {
    CheckEvents(); G.IS = con->PollKey();
    CheckEvents();
  } while (G.IS.empty());
}

}  // namespace

State RunDemoSelection() {
  CheckEvents(); con->ClearScreen(0);
  CheckEvents(); con->SetTextWindow(0, 23);
  CheckEvents(); G.I = 1;
  do {
    CheckEvents(); G.AS[static_cast<size_t>(G.I)] = kCatalogue[static_cast<size_t>(G.I) - 1].name;
    CheckEvents(); G.I = G.I + 1;
  } while (G.I <= kCatalogueSize);
  CheckEvents(); con->Locate(25, 2);
  // No colour is set: prompt and grid show in the colour current on entry.
  CheckEvents(); con->PrintItems({"矢印で選んでリタ－ンキ－"}, false);
  CheckEvents(); G.J = 1;
  do {
    CheckEvents(); G.I = 1;
    do {
      CheckEvents(); con->Locate(static_cast<int>(G.I - 1) * 25 + 5, static_cast<int>(G.J) * 2 + 5);
      CheckEvents(); con->PrintItems({G.AS[static_cast<size_t>((G.J - 1) * 3 + G.I)]}, true);
      CheckEvents(); G.I = G.I + 1;
    } while (G.I <= 3);
    CheckEvents(); G.J = G.J + 1;
  } while (G.J <= 8);
  CheckEvents(); G.LX = 5;
  CheckEvents(); G.LY = 7;
  CheckEvents(); G.KK = 1;

  for (;;) {
    Highlight();
    for (;;) {
      WaitForKey();
      CheckEvents();
      if (G.IS == kUp && G.LY > 7) {
        UnHighlight();
        CheckEvents(); G.KK = G.KK - 3;
        CheckEvents(); G.LY = G.LY - 2;
        break;
      }
      CheckEvents();
      if (G.IS == kDown && G.LY < 21) {
        UnHighlight();
        CheckEvents(); G.KK = G.KK + 3;
        CheckEvents(); G.LY = G.LY + 2;
        break;
      }
      CheckEvents();
      if (G.IS == kRight && G.LX < 55) {
        UnHighlight();
        CheckEvents(); G.KK = G.KK + 1;
        CheckEvents(); G.LX = G.LX + 25;
        break;
      }
      CheckEvents();
      if (G.IS == kLeft && G.LX > 5) {
        UnHighlight();
        CheckEvents(); G.KK = G.KK - 1;
        CheckEvents(); G.LX = G.LX - 25;
        break;
      }
      CheckEvents();
      if (G.IS == kReturn) {
        CheckEvents(); G.DE = 1;
        return State::kCatalogueLoading;
      }
      // Any other key, or a move off the grid, is dropped.
    }
  }
}
