// Who is ending the process. Three ways lead out of the program (the stop,
// a severe report, a console interrupt) and two threads can take them; the
// first to claim the end completes the channels and ends the process, the
// other must not touch the channels any more.
#pragma once

namespace floodwave::textio {

enum class Ender { kNone, kMainThread, kInterruptThread };

// Claims the end for `who`. Returns kNone when the claim succeeded,
// otherwise whoever holds the end already.
Ender ClaimEnd(Ender who);

// Whether the interrupt thread is ending the process; a main-thread write
// that sees it must stay away from the channels.
bool InterruptEndUnderWay();

// Lets the thread that holds the end finish it; never returns.
[[noreturn]] void WaitForEnd();

}  // namespace floodwave::textio
