// The program's states and the ways control leaves a running state.
#pragma once

enum class State {
  kStartUp,
  kMainMenu,
  kDemoSelection,
  kCatalogueLoading,
  kCountPrompt,
  kDrawingSetUp,
  kDrawingSetUpOutlines,  // the set-up from its outlines on, where F1 re-enters
  kCoefficientEntry,
  kCoefficientTable,
  kStartPoint,
  kKeyHelp,
  kDrawing,
  kOverflowRecovery,
};

// Thrown by a function-key command: abandons the running state and
// continues at `next`. Only the globals survive.
struct GoTo {
  State next;
};

// Runs the program on `con` until the console ends the run.
void RunProgram();

// One function per state: each runs its steps and names its successor.
State StartUp();
State MainMenu();
State RunDemoSelection();
State LoadCatalogueEntry();
State CountPrompt();
State DrawingSetUp();
State DrawingSetUpOutlines();
State CoefficientEntry();
State CoefficientTable();
State StartPoint();
State KeyHelp();
State Drawing();
State OverflowRecovery();
