// Free-format output: the blank lines of the dialogue and the pause message.
#include <cstddef>
#include <string_view>

#include "textio/layout.h"
#include "textio/output_channel.h"

namespace floodwave::textio {

void WriteFree(int unit) { WriteFree(unit, std::string_view{}); }

void WriteFree(int unit, std::string_view text) {
  // Whole record in one write; a text too long for the stack goes through
  // the heap rather than being cut.
  char buffer[kTextFieldReserve + 3];
  if (text.size() > kTextFieldReserve) {
    WriteToChannel(unit, FormatFree(text));
    return;
  }
  buffer[0] = ' ';
  for (std::size_t i = 0; i < text.size(); ++i) buffer[1 + i] = text[i];
  buffer[1 + text.size()] = '\r';
  buffer[2 + text.size()] = '\n';
  WriteToChannel(unit, std::string_view(buffer, text.size() + 3));
}

}  // namespace floodwave::textio
