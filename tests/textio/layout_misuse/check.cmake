# Compiles one snippet and checks that the compiler refuses it with the
# message its "// expect:" line names, or, for "(compiles)", accepts it.
file(STRINGS ${SOURCE} expect_line REGEX "^// expect: " LIMIT_COUNT 1)
string(REGEX REPLACE "^// expect: " "" expected "${expect_line}")
execute_process(
  COMMAND ${COMPILER} -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Wconversion -Wshadow
          -Werror -I${INCLUDE} ${SOURCE}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(expected STREQUAL "(compiles)")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "a correct use of layouts was refused:\n${out}")
  endif()
else()
  if(status EQUAL 0)
    message(FATAL_ERROR "the misuse compiled; it must be refused with: ${expected}")
  endif()
  string(FIND "${out}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "refused, but without \"${expected}\":\n${out}")
  endif()
endif()
