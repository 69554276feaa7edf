#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command lines of the game and of mosgrid-solve: --help and --version answer on standard
# output with exit status 0 (the game without a display), an unknown option gets one line on
# standard error and exit status 2.
# Usage: tests/command_line.sh MOSGRID MOSGRID_SOLVE VERSION
set -u
game=$1 solve=$2 version=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for program in "$game" "$solve"; do
  name=$(basename "$program")
  # No display at all: the game must not need one to answer.
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version 2>&1); status=$?
  [ "$status" -eq 0 ] || fail "$name --version: exit status $status"
  [ "$out" = "$name $version" ] || fail "$name --version printed '$out'"

  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help 2>/dev/null); status=$?
  [ "$status" -eq 0 ] || fail "$name --help: exit status $status"
  case "$out" in *"Usage:"*"--version"*) ;; *) fail "$name --help printed '$out'" ;; esac

  for wrong in --no-such-option -x; do
    err=$("$program" "$wrong" 2>&1 >/dev/null); status=$?
    [ "$status" -eq 2 ] || fail "$name $wrong: exit status $status, not 2"
    [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] && [ -n "$err" ] || fail "$name $wrong: error not one line: '$err'"
  done
done
[ "$failures" -eq 0 ] && echo "command lines: all checks passed"
exit $((failures > 0))
