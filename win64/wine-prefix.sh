#!/bin/sh
# The Wine prefix of the Windows build's tests ($WINEPREFIX).
#   create: a fresh prefix, with a wineserver that stays up between the tests
#   stop:   ends that wineserver
# wineserver and the programs wineboot starts run on in the background: their
# output goes to a log, or they would hold the caller's pipe open.
set -eu
wine=/usr/lib/wine
log="$WINEPREFIX.log"
case "${1:-}" in
create)
  "$wine/wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$wine/wineserver" -p 60 >"$log" 2>&1
  "$wine/wine64" wineboot --init >>"$log" 2>&1
  ;;
stop)
  "$wine/wineserver" -k >/dev/null 2>&1 || true
  ;;
*)
  echo "usage: $0 create|stop" >&2
  exit 2
  ;;
esac
