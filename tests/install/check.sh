#!/usr/bin/env bash
# cmake --install places tarnel, stripped, under bin/ and nothing else: the
# simulated gateway and the tests stay development tools in the build, and
# the station PC's program comes only with its own component.
#   check.sh BUILD-DIR [station]    (station: the build has tarnel-station)
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
# installed PREFIX-DIR COMPONENT-ARGS...: the files it placed, one line
installed() {
  rm -rf "$prefix"/*
  cmake --install "$1" --prefix "$prefix" --strip "${@:2}" >/dev/null
  (cd "$prefix" && find . ! -type d | sort | tr '\n' ' ')
}
files=$(installed "$1")
[ "$files" = "./bin/tarnel " ] || { echo "installed: $files(expected ./bin/tarnel only)"; exit 1; }
[ -x "$prefix/bin/tarnel" ] || { echo "bin/tarnel is not executable"; exit 1; }
! readelf -S "$prefix/bin/tarnel" | grep -q '\.symtab' || { echo "bin/tarnel is not stripped"; exit 1; }
[ "${2-}" = station ] || { echo "installed: bin/tarnel, stripped"; exit 0; }
files=$(installed "$1" --component station)
[ "$files" = "./bin/tarnel-station " ] || { echo "station component: $files(expected ./bin/tarnel-station only)"; exit 1; }
echo "installed: bin/tarnel, stripped; the station component: bin/tarnel-station"
