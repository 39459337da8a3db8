// The dialogue channel: every block goes to the console and then, the same,
// to DIALOG.DAT; every answer comes from the console. The user's answers
// never reach DIALOG.DAT.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "driver/run_state.h"
#include "textio/free_input.h"
#include "textio/layout.h"
#include "textio/output_channel.h"
#include "textio/program_end.h"

namespace floodwave {

// Creates DIALOG.DAT on the log channel. An existing DIALOG.DAT, or any
// other failure, ends the program with its report before anything is shown.
void OpenLog();

// The two opening records, each a single blank, alternately to the console
// and to DIALOG.DAT.
void WriteOpening();

// Console first, then DIALOG.DAT: two separate writes of the same block.
template <class Block, class... Values>
void ShowBlock(const Block& block, const Values&... values) {
  textio::WriteLayout(textio::kConsoleOutput, block, values...);
  textio::WriteLayout(kLogChannel, block, values...);
}

// Shows the prompt block (with its values, if any) and reads the targets,
// showing the block again, silently and without limit, for as long as the
// answer cannot be read. An answer that supplies no value leaves a target as
// it was; range checks belong to the caller.
template <class Prompt, class... Values>
void AskNumbers(std::span<const textio::FreeItem> targets, const Prompt& prompt,
                const Values&... values) {
  const textio::ActiveCall call("AskNumber");
  do {
    ShowBlock(prompt, values...);
  } while (textio::ReadFree(targets, textio::ReadErrors::kReturnStatus) > 0);
}

template <class Prompt, class... Values>
void AskNumber(float& target, const Prompt& prompt, const Values&... values) {
  const std::array<textio::FreeItem, 1> items{&target};
  AskNumbers(items, prompt, values...);
}

template <class Prompt, class... Values>
void AskNumber(std::int32_t& target, const Prompt& prompt, const Values&... values) {
  const std::array<textio::FreeItem, 1> items{&target};
  AskNumbers(items, prompt, values...);
}

template <class Prompt, class... Values>
void AskNumber(std::array<std::int32_t, 3>& targets, const Prompt& prompt,
               const Values&... values) {
  const std::array<textio::FreeItem, 3> items{&targets[0], &targets[1], &targets[2]};
  AskNumbers(items, prompt, values...);
}

// Shows the prompt block (with its values, if any) and reads one whole line
// into the text field: no check and no repetition.
template <class Prompt, class... Values>
void AskText(std::span<char> target, const Prompt& prompt, const Values&... values) {
  const textio::ActiveCall call("AskText");
  ShowBlock(prompt, values...);
  textio::ReadLayout(target);
}

}  // namespace floodwave
