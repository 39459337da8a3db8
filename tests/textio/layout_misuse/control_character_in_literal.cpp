// expect: a literal text holds printable ASCII only
#include "textio/layout.h"
using namespace floodwave::textio;
void Use() { (void)FormatLayout(Layout<Lit<" TWO\r\nLINES">>{}); }
