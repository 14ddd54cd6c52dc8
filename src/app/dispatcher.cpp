// The one dispatch loop: runs a state, then the state it names. A
// function-key command (GoTo) or an arithmetic error abandons the running
// state wherever it is; only the globals carry over.
#include "app/arithmetic.h"
#include "app/states.h"

namespace {

State Run(State state) {
  switch (state) {
    case State::kStartUp: return StartUp();
    case State::kMainMenu: return MainMenu();
    case State::kDemoSelection: return RunDemoSelection();
    case State::kCatalogueLoading: return LoadCatalogueEntry();
    case State::kCountPrompt: return CountPrompt();
    case State::kDrawingSetUp: return DrawingSetUp();
    case State::kDrawingSetUpOutlines: return DrawingSetUpOutlines();
    case State::kCoefficientEntry: return CoefficientEntry();
    case State::kCoefficientTable: return CoefficientTable();
    case State::kStartPoint: return StartPoint();
    case State::kKeyHelp: return KeyHelp();
    case State::kDrawing: return Drawing();
    case State::kOverflowRecovery: return OverflowRecovery();
  }
  return State::kMainMenu;
}

}  // namespace

void RunProgram() {
  State state = State::kStartUp;
  for (;;) {
    try {
      state = Run(state);
    } catch (const GoTo& command) {
      state = command.next;
    } catch (const ArithmeticError&) {
      // Also before the renderer has armed the trap for the first time: the
      // recovery is the only sensible answer, ending the program is not.
      state = State::kOverflowRecovery;
    }
  }
}
