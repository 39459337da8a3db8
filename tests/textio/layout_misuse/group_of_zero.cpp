// expect: a group needs a count of at least 1
#include "textio/layout.h"
using namespace floodwave::textio;
void Use(float value) { (void)FormatLayout(Layout<Group<0, F<8, 3>>, F<8, 3>>{}, value); }
