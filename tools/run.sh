#!/bin/sh
# Starts the desktop program of the build folder $1. Without a display it runs
# the batch demo on the bundled example instead and says so.
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
if [ -x "$build/bin/zebstat" ] && { [ -n "$DISPLAY" ] || [ -n "$WAYLAND_DISPLAY" ]; }; then
    exec "$build/bin/zebstat"
fi
out="$build/demo"
mkdir -p "$out"
example="$top/examples/ps-toluene.sta"
echo "No display found: running the batch demo on the bundled example instead of the desktop program."
echo "Example: $example (polystyrene in toluene, 4 concentrations x 13 angles)"
echo
echo "Zimm evaluation, q order 1, c order 1:"
echo
"$build/bin/zebstat-batch" eval --plot zimm --q-order 1 --c-order 1 --results \
    --plot-file "$out/zimm.png" "$example" || exit 1
"$build/bin/zebstat-batch" eval --plot zimm --q-order 1 --c-order 1 --plot-file "$out/zimm.svg" "$example" >/dev/null || exit 1
"$build/bin/zebstat-batch" eval --plot zimm --q-order 1 --c-order 1 --plot-file "$out/zimm.wmf" "$example" >/dev/null || exit 1
echo
echo
echo "D-I evaluation (dynamic light scattering), q order 1, c order 1:"
echo
"$build/bin/zebstat-batch" eval --plot d1 --q-order 1 --c-order 1 --results \
    --plot-file "$out/d1.png" "$example" || exit 1
echo
echo
echo "Plots written:"
for f in zimm.png zimm.svg zimm.wmf d1.png; do echo "  $(cd "$out" && pwd)/$f"; done
