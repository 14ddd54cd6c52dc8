// The three function-key commands, run by CheckEvents once armed. Each
// ends by continuing at a fixed state.
#pragma once

void CommandF1();  // back to the entry form with the same number of maps
void CommandF2();  // double the scale and go on drawing
void CommandF3();  // end the drawing: back to the main menu
