// expect: the number of values differs from the number of fields
#include "textio/layout.h"
using namespace floodwave::textio;
void Use(float value) {
  (void)FormatLayout(Layout<X<3>, F<10, 2>, Group<3, X<5>, F<10, 3>>>{}, value, value, value);
}
