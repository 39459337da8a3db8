// Writing a report to standard error: the system's text line when there is
// an error code, the report line, the listing of active calls (formats in
// message_catalogue.h and active_calls.h).
#pragma once

#include <string_view>

namespace floodwave::textio {

// `name` fills the %s of the message: the channel's name, or the event word
// of an interrupt. The report goes out in one piece where the system allows;
// a failure to write it is ignored, there being nowhere left to report it.
void WriteReport(int number, int unit, std::string_view name, int system_error);

}  // namespace floodwave::textio
