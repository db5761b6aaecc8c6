#!/usr/bin/env bash
# Checks what Explorer and a player see of skardetools.exe before it runs: a window program (no
# console window opens with it), the program's icon, a version resource with this version, and
# no symbols (stripped).
# Usage: checkexe.sh skardetools.exe VERSION
set -euo pipefail
exe=$1
version=$2
objdump=x86_64-w64-mingw32-objdump
fail() {
  echo "checkexe: $exe: $1" >&2
  exit 1
}

headers=$("$objdump" -p "$exe")
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not a Windows GUI program"
# The resource directory's first level lists types by number: 3 icon, 14 icon group, 16 version.
resources=$(sed -n '/The .rsrc Resource Directory section/,$p' <<<"$headers")
for type in 3 e 10; do
  grep -Eq "^[0-9a-f]+   Entry: ID: 0x0*$type," <<<"$resources" ||
    fail "no resource of type 0x$type"
done
# The version resource's texts are UTF-16.
strings -el "$exe" | grep -qx "$version" || fail "no version $version in its resources"
strings -el "$exe" | grep -qx "skardetools.exe" || fail "no original file name in its resources"
if "$objdump" -h "$exe" | grep -q '\.debug_'; then fail "has debugging sections"; fi
if [ -n "$(x86_64-w64-mingw32-nm "$exe" 2>/dev/null)" ]; then fail "has symbols"; fi
echo "checkexe: $exe: window program, icon, version $version, stripped"
