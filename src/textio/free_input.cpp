#include "textio/free_input.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "textio/console_input.h"
#include "textio/free_format_parser.h"
#include "textio/message_catalogue.h"
#include "textio/output_channel.h"
#include "textio/program_end.h"

namespace floodwave::textio {

int ReadFree(std::span<const FreeItem> items, ReadErrors errors) {
  ActiveCall call("ReadFree");
  ConsoleLines console;
  const int status = ParseFree(console, items);
  if (status == kEndOfInput) FatalReport(kEndOfFile, kConsoleInput);
  if (status != 0 && errors == ReadErrors::kEndProgram) FatalReport(status, kConsoleInput);
  return status;
}

void ReadLayout(std::span<char> field) {
  ActiveCall call("ReadLayout");
  ConsoleLines console;
  const std::optional<std::string_view> line = console.NextLine();
  if (!line) FatalReport(kEndOfFile, kConsoleInput);
  const std::size_t copied = std::min(line->size(), field.size());
  std::copy_n(line->begin(), copied, field.begin());
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(copied), field.end(), ' ');
}

}  // namespace floodwave::textio
