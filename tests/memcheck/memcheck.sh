#!/usr/bin/env bash
# Runs the program under valgrind's memcheck on an answers file, in a fresh
# directory, and fails on any memory error, any leak (definite, indirect or
# possible: what is still reachable at the end is the program's static
# state, never freed on purpose) or an unexpected exit status.
#   memcheck.sh VALGRIND PROGRAM ANSWERS EXPECTED_STATUS
# Exits 77 (a skipped test) when VALGRIND is empty or not there.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
valgrind="$1" program="$2" answers="$3" expected="$4"
if [ -z "$valgrind" ] || ! [ -x "$valgrind" ]; then
  echo "valgrind is not installed: skipped"
  exit 77
fi
dir="$(mktemp -d "${TMPDIR:-/tmp}/floodwave-memcheck-XXXXXX")"
trap 'rm -rf "$dir"' EXIT
cd "$dir"
"$valgrind" --tool=memcheck --quiet --error-exitcode=99 --leak-check=full \
  --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible \
  --track-origins=yes --child-silent-after-fork=yes --log-file=memcheck.log \
  --suppressions="$here/live-thread.supp" \
  "$program" < "$answers" > console.txt 2> stderr.txt
status=$?
if [ -s memcheck.log ]; then
  echo "memcheck reported:"
  cat memcheck.log
  exit 1
fi
if [ "$status" -ne "$expected" ]; then
  echo "exit status $status, expected $expected"
  cat stderr.txt
  exit 1
fi
echo "no memory error, no leak; exit status $status"
