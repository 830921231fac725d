#!/bin/sh
# Starts the real program in a real X server, waits for its frame window,
# checks that the frame carries exactly its own caption, ends the session
# through File > Exit and the close question, and checks that the program
# exits cleanly (status 0) within a few seconds.
set -u
program=$1
command -v xvfb-run >/dev/null 2>&1 && command -v xdotool >/dev/null 2>&1 || {
    echo "xvfb-run or xdotool missing"; exit 77; }
log=$(mktemp)
cat > "$log.sh" <<SCRIPT
#!/bin/sh
"$program" &
pid=\$!
win=\$(timeout 20 xdotool search --sync --name "ZEB / Static" | head -n 1)
[ -n "\$win" ] || { echo "no frame window"; kill \$pid; exit 1; }
# The caption exactly as the program names it (nothing appended by the toolkit).
name=\$(xdotool getwindowname \$win)
[ "\$name" = "ZEB / Static & Dynamic FIT and PLOT " ] || { echo "caption '\$name'"; kill \$pid; exit 1; }
xdotool windowfocus --sync \$win 2>/dev/null || true
sleep 0.5
xdotool key --window \$win alt+f
sleep 0.3
xdotool key x
sleep 0.5
xdotool key y
for i in \$(seq 1 50); do
    kill -0 \$pid 2>/dev/null || break
    sleep 0.1
done
if kill -0 \$pid 2>/dev/null; then echo "program did not exit"; kill \$pid; exit 1; fi
wait \$pid
SCRIPT
chmod +x "$log.sh"
xvfb-run -a -s "-screen 0 1280x1024x24" "$log.sh"
status=$?
rm -f "$log" "$log.sh"
exit $status
