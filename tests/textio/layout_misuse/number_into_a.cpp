// expect: an A field takes a text
#include "textio/layout.h"
using namespace floodwave::textio;
void Use(float value) { (void)FormatLayout(Layout<A>{}, value); }
