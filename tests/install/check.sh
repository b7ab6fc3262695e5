#!/usr/bin/env bash
# cmake --install places tarnel, stripped, under bin/ and nothing else: the
# simulated gateway and the tests stay development tools in the build.
#   check.sh BUILD-DIR
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" --strip >/dev/null
files=$(cd "$prefix" && find . ! -type d | sort | tr '\n' ' ')
[ "$files" = "./bin/tarnel " ] || { echo "installed: $files(expected ./bin/tarnel only)"; exit 1; }
[ -x "$prefix/bin/tarnel" ] || { echo "bin/tarnel is not executable"; exit 1; }
! readelf -S "$prefix/bin/tarnel" | grep -q '\.symtab' || { echo "bin/tarnel is not stripped"; exit 1; }
echo "installed: bin/tarnel, stripped"
