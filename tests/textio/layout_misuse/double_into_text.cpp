// expect: an F field takes exactly a float
#include <array>
#include "textio/layout.h"
using namespace floodwave::textio;
void Use(std::array<char, 8>& field, double value) { WriteIntoText(field, F<8, 3>{}, value); }
