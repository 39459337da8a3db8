// expect: Dollar may only be the last item of a layout
#include "textio/layout.h"
using namespace floodwave::textio;
void Use() { WriteLayout(5, Layout<Lit<" A">, Dollar, Slash>{}); }
