#include "dialogue/dialogue_channel.h"

#include "textio/open_new.h"

namespace floodwave {

void OpenLog() {
  const textio::ActiveCall call("OpenLog");
  textio::OpenNew(kLogChannel, "DIALOG.DAT", textio::OnError::kReport);
}

void WriteOpening() {
  for (int i = 0; i < 2; ++i) {
    textio::WriteFree(textio::kConsoleOutput);
    textio::WriteFree(kLogChannel);
  }
}

}  // namespace floodwave
