#!/usr/bin/env bash
# Runs a command on an X server of its own: Xvfb picks a display that no other server holds and
# reports it once it accepts clients (-displayfd), so that tests started at once never share a
# display nor connect too early; and it never resets when its last client leaves (-noreset), so
# that a program started next never meets it in the middle of a reset.
# Usage: on_own_display.sh command [argument...]
set -euo pipefail

ready=$(mktemp)
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$ready" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -f "$ready"' EXIT

# The number comes with a line end once the server listens; a server that fails says nothing.
for _ in $(seq 600); do
    [ "$(wc -l <"$ready")" -ge 1 ] && break
    kill -0 "$server" 2>/dev/null || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
[ "$(wc -l <"$ready")" -ge 1 ] || { echo "FAIL: Xvfb gave no display within 60 s" >&2; exit 1; }
export DISPLAY=":$(head -1 "$ready")"
unset XAUTHORITY
"$@"
