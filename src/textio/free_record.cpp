// The bytes of a free-format output record, composed in memory.
#include <string>
#include <string_view>

#include "textio/layout.h"

namespace floodwave::textio {

std::string FormatFree(std::string_view text) {
  // Free-format output always opens its record with one blank.
  std::string record;
  record.reserve(text.size() + 3);
  record += ' ';
  record += text;
  record += "\r\n";
  return record;
}

}  // namespace floodwave::textio
