#include "app/globals.h"

Globals G{};
console::Console* con = nullptr;
