#include "driver/program.h"

int main() { floodwave::RunProgram(); }
