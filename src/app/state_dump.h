// The program's globals as NAME=value lines, numbers to 9 significant
// digits, array elements as A(1)=... for maps 1 to 5.
#pragma once

#include <string>

std::string StateDump();
