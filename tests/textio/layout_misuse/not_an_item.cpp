// expect: not a layout item
#include "textio/layout.h"
using namespace floodwave::textio;
void Use(float value) { (void)FormatLayout(Layout<float>{}, value); }
