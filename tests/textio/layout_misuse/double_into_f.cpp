// expect: an F field takes exactly a float
#include "textio/layout.h"
using namespace floodwave::textio;
void Use(double value) { (void)FormatLayout(Layout<F<8, 3>>{}, value); }
