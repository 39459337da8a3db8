// The program entry: the dialogue, the initial uniform state, the run, the
// stop. It does not return.
#pragma once

namespace floodwave {

[[noreturn]] void RunProgram();

}  // namespace floodwave
