#!/usr/bin/env bash
# The program's own objects, without any platform library, may need from
# outside only the C and C++ libraries and exactly the functions that
# platform/platform.h declares: a vendor build can differ only there.
#   check.sh PLATFORM_H OBJECT-OR-ARCHIVE...
set -eu
header=$1
shift

syms() { nm --format=posix "$@" 2>/dev/null | awk 'NF >= 2 { print $1, $2 }'; }
defined=$(syms "$@" | awk '$2 ~ /[TtDdBbRrVvWwu]/ { print $1 }' | sort -u)
needed=$(syms "$@" | awk '$2 == "U" { print $1 }' | sort -u | comm -23 - <(echo "$defined"))

# what the C and C++ runtime libraries offer; atexit is in the C library's
# static part
runtime=$({
  for lib in libc.so.6 libm.so.6 libstdc++.so.6 libgcc_s.so.1; do
    nm -D --defined-only --format=posix "$(g++ -print-file-name=$lib)" | awk '{ sub(/@.*/, "", $1); print $1 }'
  done
  nm --defined-only --format=posix "$(g++ -print-file-name=libc_nonshared.a)" 2>/dev/null | awk 'NF >= 2 { print $1 }'
} | sort -u)

platform=$(comm -23 <(echo "$needed") <(echo "$runtime") |
  grep -vE '^(__(asan|ubsan|sanitizer|lsan)_|_GLOBAL_OFFSET_TABLE_$|__dso_handle$)' || true)
declared=$(grep -oE '^[A-Za-z_][A-Za-z0-9_ *]*[ *]([A-Za-z_][A-Za-z0-9_]*)\(' "$header" |
  sed -E 's/.*[ *]([A-Za-z_][A-Za-z0-9_]*)\($/\1/' | sort -u)

status=0
extra=$(comm -23 <(echo "$platform") <(echo "$declared"))
unused=$(comm -13 <(echo "$platform") <(echo "$declared"))
if [ -n "$extra" ]; then
  echo "needed from outside but not declared in platform.h:"; echo "$extra" | sed 's/^/  /'; status=1
fi
if [ -n "$unused" ]; then
  echo "declared in platform.h but never called:"; echo "$unused" | sed 's/^/  /'; status=1
fi
[ $status -eq 0 ] && echo "platform boundary: $(echo "$declared" | wc -l) functions, all declared, all used"
exit $status
