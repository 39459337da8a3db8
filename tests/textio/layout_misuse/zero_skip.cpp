// expect: a skip X<n> needs 1 <= n <= 1000
#include "textio/layout.h"
using namespace floodwave::textio;
void Use() { (void)FormatLayout(Layout<Lit<"A">, X<0>, Lit<"B">>{}); }
