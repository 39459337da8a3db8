// expect: the number of values differs from the number of fields
#include "textio/layout.h"
using namespace floodwave::textio;
void Use(float value) { WriteLayout(5, Layout<Lit<" Q = ">, F<8, 3>>{}, value, value); }
