#!/usr/bin/env bash
# Makes docs/session.png, the screenshot in the README, from a real session: the program runs
# in tmux, its screen is captured with its colours (capture-pane -e), turned into HTML by aha
# and photographed by headless Chromium. The clock is fixed, so that the same problems are
# posed each time and the picture comes out the same.
# Needs: tmux, aha, chromium, fonts-dejavu-core (Debian packages), python3.
set -euo pipefail
cd "$(dirname "$0")/.."
work=build/screenshot
rm -rf "$work"
mkdir -p "$work"

cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
c++ -O2 -shared -fPIC -o "$work/libfixed_clock.so" tests/console/fixed_clock.cpp

socket="$PWD/$work/tmux.socket"
tmux_() { tmux -S "$socket" "$@"; }
trap 'tmux_ kill-server 2>/dev/null || true' EXIT
tmux_ -f /dev/null new-session -d -x 80 -y 54 \
    "env TERM=xterm-256color LD_PRELOAD=$PWD/$work/libfixed_clock.so build/release/dreisatz; sleep 60"

screen() { tmux_ capture-pane -p "$@"; }
wait_for() { # text on the screen, on at least COUNT lines (1)
    for _ in $(seq 100); do
        [ "$(screen | grep -cF -- "$1")" -ge "${2:-1}" ] && return 0
        sleep 0.1
    done
    echo "no '$1' on the screen" >&2
    exit 1
}
answer() { # the answer to the last problem on the screen, read as the tests read it
    screen -J | PYTHONPATH=tests python3 -c "
import sys
from dialogue_text import last_statement
print(last_statement(sys.stdin.buffer.read())[1])"
}

wait_for "druecke ENTER:"
right=$(answer)
tmux_ send-keys "$right" Enter
wait_for "zum Weitermachen"
tmux_ send-keys 1 Enter
wait_for "druecke ENTER:" 2
tmux_ send-keys 12 Enter
wait_for "zum Weitermachen" 2
tmux_ send-keys 9 Enter
wait_for "Taste"
screen -e >"$work/screen.ans"

# aha draws bright colours with a CSS filter; use xterm's own bright yellow and grey instead.
aha --no-header <"$work/screen.ans" |
    sed -e 's/filter: contrast(70%) brightness(190%);//g' \
        -e 's/background-color:olive/background-color:#ffff00/g' \
        -e 's/color:dimgray/color:#7f7f7f/g' >"$work/screen.body"
{
    echo '<!DOCTYPE html><html><head><meta charset="utf-8"><style>'
    echo 'body { margin: 0; background: #ffff00; }'
    echo 'pre { margin: 0; padding: 12px; font: 15px/1.25 "DejaVu Sans Mono", monospace; color: #7f7f7f; }'
    echo '</style></head><body><pre>'
    cat "$work/screen.body"
    echo '</pre></body></html>'
} >"$work/screen.html"

chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --hide-scrollbars --user-data-dir="$PWD/$work/chromium" --window-size=720,1060 \
    --screenshot="$PWD/docs/session.png" "file://$PWD/$work/screen.html" 2>/dev/null
echo "docs/session.png"
