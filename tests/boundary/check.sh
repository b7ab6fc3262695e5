#!/usr/bin/env bash
# The program's own objects, without any platform library, may need from
# outside only the C and C++ libraries and functions that the platform's
# headers declare: a vendor build can differ only there. With --exact every
# function the headers declare is also used (the simulated platform's header
# declares nothing more; a vendor SDK's declares much more).
#   check.sh [--exact] HEADER... -- OBJECT-OR-ARCHIVE...
set -eu
exact=
[ "$1" = --exact ] && { exact=1; shift; }
headers=()
while [ "$1" != -- ]; do headers+=("$1"); shift; done
shift

syms() { nm --format=posix "$@" 2>/dev/null | awk 'NF >= 2 { print $1, $2 }'; }
defined=$(syms "$@" | awk '$2 ~ /[TtDdBbRrVvWwu]/ { print $1 }' | sort -u)
needed=$(syms "$@" | awk '$2 == "U" { print $1 }' | sort -u | comm -23 - <(echo "$defined"))

# what the C and C++ runtime libraries of the build's compiler ($CXX) offer,
# shared or static (a cross toolchain may have only the one or the other);
# glibc keeps atexit in its static part, libc_nonshared.a
runtime=$(for lib in libc.so.6 libm.so.6 libstdc++.so.6 libgcc_s.so.1 \
                     libc.a libc_nonshared.a libm.a libstdc++.a libgcc.a libgcc_eh.a; do
  file=$("${CXX:-g++}" -print-file-name=$lib)
  [ -f "$file" ] || continue
  case $lib in
    *.a) nm --defined-only --format=posix "$file" 2>/dev/null ;;
    *) nm -D --defined-only --format=posix "$file" ;;
  esac | awk 'NF >= 2 { sub(/@.*/, "", $1); print $1 }'
done | sort -u)

platform=$(comm -23 <(echo "$needed") <(echo "$runtime") |
  grep -vE '^(__(asan|ubsan|sanitizer|lsan)_|_GLOBAL_OFFSET_TABLE_$|__dso_handle$)' || true)

# The functions the headers declare, as the C compiler reads them (macros
# expanded, declarations over several lines), the system's headers left out.
system_dirs=$(gcc -xc -E -Wp,-v /dev/null 2>&1 | awk '/^ \// { print $1 }')
aux=$(mktemp)
trap 'rm -f "$aux"' EXIT
printf '#include "%s"\n' "${headers[@]}" |
  gcc -xc -fsyntax-only -aux-info "$aux" -
declared=$(sed -nE 's|^/\* ([^:]*):[0-9]+:[A-Z]+ \*/ .*[ *]([A-Za-z_][A-Za-z0-9_]*) \(.*|\1 \2|p' "$aux" |
  while read -r file name; do
    for dir in $system_dirs; do [[ $file == "$dir"/* ]] && continue 2; done
    echo "$name"
  done | sort -u)

status=0
extra=$(comm -23 <(echo "$platform") <(echo "$declared"))
unused=$(comm -13 <(echo "$platform") <(echo "$declared"))
if [ -n "$extra" ]; then
  echo "needed from outside but not declared in ${headers[*]}:"; echo "$extra" | sed 's/^/  /'; status=1
fi
if [ -n "$exact" ] && [ -n "$unused" ]; then
  echo "declared in ${headers[*]} but never called:"; echo "$unused" | sed 's/^/  /'; status=1
fi
[ $status -eq 0 ] && echo "platform boundary: $(echo "$platform" | wc -l) functions, all declared${exact:+, all used}"
exit $status
