#!/usr/bin/env bash
# Every program and module of the portable zip (the same files as the
# installer) is linked statically: none imports a MinGW runtime DLL
# (libstdc++-6, libgcc_s_*, libwinpthread-1, ...), which a user's machine lacks.
#   check-imports.sh OBJDUMP PORTABLE_ZIP
set -u
objdump=$1 zip=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unzip -q "$zip" -d "$tmp" || { echo "cannot unpack $zip" >&2; exit 1; }
status=0 checked=0
while IFS= read -r -d '' module; do
  imports=$("$objdump" -p "$module" | sed -n 's/^[[:space:]]*DLL Name: //p')
  name=${module#"$tmp"/}
  if [ -z "$imports" ] && [[ $name != */lang.dll ]]; then
    echo "FAIL $name: no imports read" >&2; status=1; continue
  fi
  runtime=$(grep -iE '^lib.*\.dll$' <<<"$imports")
  if [ -n "$runtime" ]; then
    echo "FAIL $name imports a runtime DLL: $(tr '\n' ' ' <<<"$runtime")" >&2; status=1
  else
    echo "ok   $name: $(tr '\n' ' ' <<<"$imports")"
  fi
  checked=$((checked + 1))
done < <(find "$tmp" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
# ZAVOConfig.exe, KBHook.dll and the three language modules.
if [ "$checked" -lt 5 ]; then echo "FAIL only $checked modules in the zip" >&2; status=1; fi
exit $status
