// The event check that runs before every step of every state: a pending
// armed function-key command takes over from here.
#pragma once

#include "app/globals.h"
#include "console/console.h"

inline void CheckEvents() { con->CheckEvents(); }
