// The messages that end a run: the stop blocks of the run checks, and the
// normal-termination block. Each block goes to the console, then to the
// results file.
#pragma once

#include "hydraulics/run_observer.h"
#include "textio/layout.h"

namespace floodwave {

namespace run_messages {
using textio::Layout;
using textio::Lit;
using textio::Slash;

// Seven records: the fault, the advice, an empty record, the end, two
// empty records.
inline constexpr Layout<Lit<" ERROR ! THE COMPUTED DEPTH IS NEGATIVE !">, Slash,
                        Lit<" TRY TO RESTART THE PROGRAM USING">, Slash,
                        Lit<" A SMALLER TIME STEP">, Slash, Slash,
                        Lit<" END OF PROGRAM !">, Slash, Slash>
    kDepthStop{};
inline constexpr Layout<Lit<" ERROR ! THE COURANT CONDITION IS NOT MET">, Slash,
                        Lit<" TRY TO RESTART THE PROGRAM USING">, Slash,
                        Lit<" A SMALLER TIME STEP">, Slash, Slash,
                        Lit<" END OF PROGRAM !">, Slash, Slash>
    kCourantStop{};
inline constexpr Layout<Lit<" ERROR ! THE TIME STEP IS TOO SMALL FOR THIS DURATION">, Slash,
                        Lit<" TRY TO RESTART THE PROGRAM USING">, Slash,
                        Lit<" A LARGER TIME STEP OR A SHORTER DURATION">, Slash, Slash,
                        Lit<" END OF PROGRAM !">, Slash, Slash>
    kTimeFrozenStop{};
inline constexpr Layout<Slash, Slash, Lit<" NORMAL TERMINATION OF PROGRAM">>
    kNormalEnd{};
inline constexpr char kPressReturn[] = "PRESS RETURN TO FINISH THE PROGRAM.";
}  // namespace run_messages

// Shows the stop block of `why` on the console and in the results file,
// asks for Return on the console, waits for one line and ends the program
// with exit status 0. The end of the input ends it through the end-of-file
// report instead.
[[noreturn]] void ShowRunStop(RunStop why);

// Shows the normal-termination block on the console and in the results file.
void ShowNormalEnd();

}  // namespace floodwave
