// expect: F<w, d> needs 1 <= w <= 40
#include "textio/layout.h"
using namespace floodwave::textio;
void Use(float value) { (void)FormatLayout(Layout<F<41, 3>>{}, value); }
