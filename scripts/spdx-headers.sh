#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Adds an SPDX-License-Identifier line to the top of every source file of the repository that has
# none: "// ..." for C++, "# ..." for shell, CMake and Python (after a "#!" line). The code is
# GPL-3.0-or-later; the puzzles, artwork, rules page and metainfo carry their licences in
# .reuse/dep5 and are left alone. Files that already name a licence are not touched, so the script
# can run again at any time. Usage: scripts/spdx-headers.sh [--check]
#   --check  changes nothing; lists the files without a line and fails when there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
check=false
[ "${1:-}" = "--check" ] && check=true
licence="GPL-3.0-or-later"
missing=0

add_line() {  # file, comment prefix
  local file=$1 prefix=$2 line tmp
  line="$prefix SPDX-License-Identifier: $licence"
  if head -n 5 "$file" | grep -q "SPDX-License-Identifier:"; then return; fi
  missing=$((missing + 1))
  if $check; then echo "$file"; return; fi
  tmp=$(mktemp)
  if head -n 1 "$file" | grep -q '^#!'; then
    { head -n 1 "$file"; echo "$line"; tail -n +2 "$file"; } > "$tmp"
  else
    { echo "$line"; cat "$file"; } > "$tmp"
  fi
  # Keep the file's mode (scripts stay executable).
  cat "$tmp" > "$file"
  rm -f "$tmp"
  echo "added: $file"
}

while IFS= read -r -d '' file; do
  [ -f "$file" ] || continue
  case "$file" in
    *.cpp|*.h|*.hpp|*.cc) add_line "$file" "//" ;;
    *.sh|*.py|*.cmake|CMakeLists.txt|*/CMakeLists.txt|.ci/run) add_line "$file" "#" ;;
    *)
      # Other scripts are known by their first line.
      if head -n 1 "$file" | grep -qE '^#!.*\b(ba)?sh\b|^#!.*python'; then add_line "$file" "#"; fi ;;
  esac
done < <(git ls-files -z -- . ':!:puzzles/src' ':!:fuzz/corpus' ':!:LICENSES')

if $check && [ "$missing" -gt 0 ]; then
  echo "$missing files without an SPDX-License-Identifier line" >&2
  exit 1
fi
