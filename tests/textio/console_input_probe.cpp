// A small program that answers reads from its real standard input, driven
// by its command line, and tells on standard output what each read gave:
//
//   real     ReadFree of one real, with the error branch: "real S V"
//   int      ReadFree of one integer, with the error branch: "int S V"
//   three    ReadFree of three integers, with the error branch: "three S A B C"
//   real!    ReadFree of one real without error branch: "real! V"
//   pause    ReadFree of no items, without error branch: "pause"
//   a1, a50  ReadLayout into 1 or 50 characters: "aN [FIELD]"
//
// S is the read status, V the value (%.9g); every item starts at 777. When
// the commands run out the program stops.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "textio/free_input.h"
#include "textio/program_end.h"

namespace {

using namespace floodwave::textio;

void Say(const std::string& text) {
  const std::string line = text + "\n";
  (void)!write(STDOUT_FILENO, line.data(), line.size());
}

std::string Real(float x) {
  char text[64];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(x));
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  StartTextLayer();
  for (int i = 1; i < argc; ++i) {
    const std::string_view command = argv[i];
    float real = 777.0f;
    std::int32_t a = 777;
    std::int32_t b = 777;
    std::int32_t c = 777;
    if (command == "real") {
      const FreeItem items[] = {&real};
      const int status = ReadFree(items, ReadErrors::kReturnStatus);
      Say("real " + std::to_string(status) + " " + Real(real));
    } else if (command == "int") {
      const FreeItem items[] = {&a};
      const int status = ReadFree(items, ReadErrors::kReturnStatus);
      Say("int " + std::to_string(status) + " " + std::to_string(a));
    } else if (command == "three") {
      const FreeItem items[] = {&a, &b, &c};
      const int status = ReadFree(items, ReadErrors::kReturnStatus);
      Say("three " + std::to_string(status) + " " + std::to_string(a) + " " + std::to_string(b) +
          " " + std::to_string(c));
    } else if (command == "real!") {
      const FreeItem items[] = {&real};
      ReadFree(items, ReadErrors::kEndProgram);
      Say("real! " + Real(real));
    } else if (command == "pause") {
      ReadFree({}, ReadErrors::kEndProgram);
      Say("pause");
    } else if (command == "a1" || command == "a50") {
      char field[50];
      const std::size_t n = command == "a1" ? 1 : 50;
      ReadLayout({field, n});
      Say(std::string(command) + " [" + std::string(field, n) + "]");
    } else {
      Say("unknown command");
      return 99;
    }
  }
  StopProgram();
}
