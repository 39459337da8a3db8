#include "driver/program.h"

#include <cstdlib>

namespace floodwave {

void RunProgram() { std::exit(0); }

}  // namespace floodwave
