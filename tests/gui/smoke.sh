#!/bin/sh
# Starts the real program in a real X server, waits for its frame window,
# checks that it carries exactly its own caption, ends the session through
# File > Exit and the close question, and checks that the program exits
# cleanly (status 0). Each step waits for what it needs to see —
# the frame, the open File menu, the question — with limits generous enough for
# a busy machine; no step relies on a fixed pause.
set -u
program=$1
for tool in xvfb-run xdotool xwininfo; do
    command -v $tool >/dev/null 2>&1 || { echo "$tool missing"; exit 77; }
done
script=$(mktemp)
cat > "$script" <<'SCRIPT'
#!/bin/sh
program=$1
# until SECONDS COMMAND...: runs COMMAND every tenth of a second until it
# succeeds; fails after SECONDS.
until_ok() {
    limit=$(( $1 * 10 )); shift
    n=0
    while ! "$@" >/dev/null 2>&1; do
        n=$((n + 1))
        [ "$n" -ge "$limit" ] && return 1
        sleep 0.1
    done
}
# A menu is open when a viewable override-redirect window (the popup) exists.
menu_open() {
    for w in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
        xwininfo -id "$w" | grep -q "Map State: IsViewable" &&
            xwininfo -id "$w" | grep -q "Override Redirect State: yes" && return 0
    done
    return 1
}

"$program" &
pid=$!
trap 'kill $pid 2>/dev/null' EXIT
win=$(timeout 60 xdotool search --sync --onlyvisible --name "^ZEB / Static" | head -n 1)
[ -n "$win" ] || { echo "no frame window"; exit 1; }
# The caption exactly as the program names it (nothing appended by the toolkit).
name=$(xdotool getwindowname "$win")
[ "$name" = "ZEB / Static & Dynamic FIT and PLOT " ] || { echo "caption '$name'"; exit 1; }
until_ok 30 xdotool windowfocus --sync "$win"

# File > Exit: the menu opens on Alt+F; x chooses "Exit" once it is open.
question=""
for attempt in 1 2 3 4 5; do
    xdotool key --window "$win" alt+f
    if until_ok 20 menu_open; then
        xdotool key x
        question=$(timeout 30 xdotool search --sync --onlyvisible --name "^ZEB-Stat" | head -n 1)
        [ -n "$question" ] && break
    fi
    xdotool key Escape
done
[ -n "$question" ] || { echo "File > Exit did not ask the close question"; exit 1; }
until_ok 30 xdotool windowfocus --sync "$question"
xdotool key y
# The program must end by itself; a watchdog ends it after a minute.
trap - EXIT
( trap 'kill $sleeper 2>/dev/null; exit 0' TERM
  sleep 60 & sleeper=$!
  wait $sleeper && kill "$pid" 2>/dev/null ) &
watchdog=$!
wait "$pid"
status=$?
kill "$watchdog" 2>/dev/null
[ "$status" -eq 0 ] || echo "program did not exit cleanly (status $status)"
exit "$status"
SCRIPT
chmod +x "$script"
xvfb-run -a -s "-screen 0 1280x1024x24" "$script" "$program"
status=$?
rm -f "$script"
exit $status
