// expect: F<w, d> needs d < w
#include "textio/layout.h"
using namespace floodwave::textio;
void Use(float value) { (void)FormatLayout(Layout<F<5, 5>>{}, value); }
