#!/bin/sh
# Draws the charts of the example data as the plot window shows them: PNGs of
# the six plot types and of a form-factor plot, written to <build>/screenshots;
# and the picture of the program's window in the README,
# docs/zebstat-window.png (the frame with the Zimm evaluation of the PLX example,
# drawn offscreen).
# Usage: tools/screenshots.sh [BUILD_FOLDER]
set -e
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
batch="$build/bin/zebstat-batch"
out="$build/screenshots"
mkdir -p "$out"
data="$top/examples/ps-toluene.sta"

for plot in zimm berry guinier; do
    "$batch" eval --plot "$plot" --q-order 2 --c-order 1 --plot-file "$out/chart-$plot.png" "$data" >/dev/null
done
for plot in d1 d2 d3; do
    "$batch" eval --plot "$plot" --q-order 1 --c-order 1 --plot-file "$out/chart-$plot.png" "$data" >/dev/null
done
# The data extrapolated to c = 0 against the four particle models, 1/Pz over q².
"$batch" eval --plot zimm --q-order 2 --c-order 1 --form-factor coil-md,coil-pd,rod,sphere --representation 1 \
    --plot-file "$out/chart-formfactor-inverse-pz-q2.png" "$data" >/dev/null
echo "Charts written to $out:"
ls "$out"/chart-*.png
if [ -x "$build/bin/zebstat-window-screenshot" ]; then
    mkdir -p "$top/docs"
    "$build/bin/zebstat-window-screenshot" "$top/examples/ps-toluene.plx" "$top/docs/zebstat-window.png"
fi
