// expect: Dollar may only be the last item of a layout
#include "textio/layout.h"
using namespace floodwave::textio;
void Use() { (void)FormatLayout(Layout<Group<2, Lit<" A">, Dollar>>{}); }
