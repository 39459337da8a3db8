// The single-precision power used by the computation: the float nearest to
// the exact x^y of its two float operands, the same on every platform.
#pragma once

namespace floodwave {

float PowF(float x, float y);

}  // namespace floodwave
