#!/bin/sh
# Starts the program of the build folder $1. Without a display (or before the
# desktop program is built) it runs the batch demo on the bundled example.
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
if [ -x "$build/bin/zebstat" ] && { [ -n "$DISPLAY" ] || [ -n "$WAYLAND_DISPLAY" ]; }; then
    exec "$build/bin/zebstat"
fi
echo "No display (or no desktop program in $build): running the batch demo instead."
echo
echo "Polynomial fit of order 5 to the NIST Wampler1 table (x y):"
awk '/^Data:/ && /y/ {d=1; next} d && NF==2 {print $2, $1}' "$top/tests/data_files/nist/Wampler1.dat" > "${TMPDIR:-/tmp}/zebstat-demo.txt"
"$build/bin/zebstat-batch" fit --order 5 "${TMPDIR:-/tmp}/zebstat-demo.txt"
