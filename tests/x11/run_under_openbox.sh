#!/usr/bin/env bash
# Runs a program on an X server of its own (Xvfb, which picks a free display
# number) with the openbox window manager, then stops both, whatever happens.
# Usage: run_under_openbox.sh PROGRAM [ARGUMENTS...]
set -u

for tool in Xvfb openbox xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$tool is missing (scripts/deps.sh installs it)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
xvfb_pid=""
openbox_pid=""
watchdog_pid=""

stop_servers() {
  [ -n "$watchdog_pid" ] && kill "$watchdog_pid" 2>/dev/null
  [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$openbox_pid" ] && wait "$openbox_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap stop_servers EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Waits up to ten seconds for a condition.
wait_for() {
  local i
  for ((i = 0; i < 200; i++)); do
    eval "$1" && return 0
    sleep 0.05
  done
  return 1
}

# Xvfb writes the display number it chose to file descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
if ! wait_for '[ -n "$(head -n 1 "$work/display" 2>/dev/null)" ] || ! kill -0 $xvfb_pid 2>/dev/null' ||
  [ -z "$(head -n 1 "$work/display")" ]; then
  echo "Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n 1 "$work/display")"

# openbox runs the start-up command once it manages the screen. Its settings
# and cache go to the scratch folder, not to the user's home.
mkdir -p "$work/config" "$work/cache"
XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" \
  openbox --sm-disable --startup "touch $work/wm-ready" >"$work/openbox.log" 2>&1 &
openbox_pid=$!
if ! wait_for '[ -e "$work/wm-ready" ] || ! kill -0 $openbox_pid 2>/dev/null' || [ ! -e "$work/wm-ready" ]; then
  echo "openbox did not start:" >&2
  cat "$work/openbox.log" >&2
  exit 1
fi

# Should this script be killed outright (no trap runs then), the servers go too.
(
  while kill -0 $$ 2>/dev/null; do sleep 1; done
  kill "$openbox_pid" "$xvfb_pid" 2>/dev/null
) &
watchdog_pid=$!

QT_QPA_PLATFORM=xcb "$@"
