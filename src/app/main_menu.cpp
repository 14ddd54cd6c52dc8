// The main menu: "1" the demonstration, "2" the user's own transform set.
#include "app/check_events.h"
#include "app/states.h"

State MainMenu() {
  CheckEvents(); con->ClearScreen(0);
  CheckEvents(); con->SetWidth(80);
  CheckEvents(); con->Locate(15, 10);
  // No colour is set: the menu shows in whatever colour is current.
  CheckEvents(); con->PrintItems({"１．デモ　　　　　　　　　　２．自分で作る"}, true);
  for (;;) {
    CheckEvents(); G.IS = con->PollKey();
    CheckEvents(); if (G.IS.empty()) continue;
    CheckEvents(); if (G.IS == "1") return State::kDemoSelection;
    CheckEvents(); if (G.IS == "2") return State::kCountPrompt;
  }
}
