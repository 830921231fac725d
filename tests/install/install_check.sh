#!/bin/sh
# Checks of the installation, run by ctest:
#
#   install_check.sh stage    BUILD SOURCE STAGE    cmake --install into STAGE (prefix /usr)
#   install_check.sh files    BUILD SOURCE STAGE    every installed file, its mode; the programs run
#   install_check.sh settings BUILD SOURCE STAGE    the installed program keeps its settings in
#                                                   $XDG_CONFIG_HOME/zebstat, never beside itself
#   install_check.sh desktop  BUILD SOURCE STAGE    desktop-file-validate
#   install_check.sh metainfo BUILD SOURCE STAGE    appstreamcli validate
#   install_check.sh mime     BUILD SOURCE STAGE    update-mime-database, then the types by name and content
#   install_check.sh icons    BUILD SOURCE STAGE    every icon drawing renders at its sizes (16..256 px)
#
# Exit status 77 (ctest: skipped) when a validator is not installed.
set -eu
what=$1 build=$2 source=$3 stage=$4
bin=$build/bin
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null 2>&1 || { echo "$1 is not installed: skipped"; exit 77; }; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

case $what in
stage)
  rm -rf "$stage"
  DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
  ;;

files)
  expected=$source/tests/install/installed-files.txt
  grep -v '^#' "$expected" >"$scratch/listed"
  # The Python module and its type stub, when the build made one: where the build says they go.
  module=$(ls "$build"/python/zebstat*.so 2>/dev/null | head -1)
  if [ -n "$module" ]; then
    pydir=$(sed -n 's/^ZEBSTAT_PYTHON_INSTALL_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")
    echo "644 usr/$pydir/$(basename "$module")" >>"$scratch/listed"
    echo "644 usr/$pydir/zebstat.pyi" >>"$scratch/listed"
  fi
  # The chart program, when zebstat-batch is linked statically.
  if [ -x "$build/lib/zebstat/zebstat-batch-charts" ]; then
    echo "755 usr/lib/zebstat/zebstat-batch-charts" >>"$scratch/listed"
  fi
  sort -k2 "$scratch/listed" >"$scratch/expected"
  (cd "$stage" && find . -type f -o -type l) | sed 's|^\./||' | sort | while read -r f; do
    printf '%s %s\n' "$(stat -c %a "$stage/$f")" "$f"
  done >"$scratch/found"
  if ! diff -u "$scratch/expected" "$scratch/found"; then
    fail "the installed files differ from $expected (- expected, + installed)"
  fi
  # The programs run from the installation, with the example files installed.
  "$stage/usr/bin/zebstat-batch" --version | grep -qx 'zebstat-batch [0-9.]*' || fail "zebstat-batch --version"
  "$stage/usr/bin/zebstat-batch" eval --help | head -1 | grep -q '^usage: zebstat-batch eval' || fail "eval --help"
  out=$("$stage/usr/bin/zebstat-batch" eval --q-order 1 --c-order 1 --results \
        "$stage/usr/share/zebstat/examples/ps-toluene.plx" 2>"$scratch/err") || fail "eval of the installed example"
  echo "$out" | grep -q 'Mw' || fail "the results of the installed example hold no Mw: $out"
  # Chart files come from the installed module, found relative to the installed program.
  "$stage/usr/bin/zebstat-batch" eval --q-order 1 --c-order 1 --plot-file "$scratch/chart.png" \
      "$stage/usr/share/zebstat/examples/ps-toluene.plx" 2>>"$scratch/err" || fail "a PNG chart from the installation"
  head -c 8 "$scratch/chart.png" | od -An -c | grep -q 'P   N   G' || fail "the installed program wrote no PNG"
  # The installed module imports with the system's python3 and evaluates the installed example.
  if [ -n "$module" ]; then
    PYTHONPATH="$stage/usr/$pydir" /usr/bin/python3 -c "
import zebstat
r = zebstat.load('$stage/usr/share/zebstat/examples/ps-toluene.sta').evaluate(q_order=1, c_order=1)
assert r.results['MwQ2'] > 0
" || fail "the installed Python module"
  fi
  # The manual pages are valid gzip and format without a warning.
  for page in "$stage"/usr/share/man/man1/*.1.gz; do
    gzip -t "$page" || fail "$page is not a valid gzip file"
    warnings=$(gzip -dc "$page" | groff -man -Tutf8 -ww -z 2>&1) || fail "$page does not format"
    [ -z "$warnings" ] || fail "$page: $warnings"
  done
  # The license goes with the documentation as Debian expects it.
  cmp -s "$source/LICENSE" "$stage/usr/share/doc/zebstat/copyright" || fail "copyright is not the LICENSE"
  echo "$(wc -l <"$scratch/found") files installed as listed"
  ;;

settings)
  # The installed program in a folder it may write (we may be root here): its
  # settings still go to the user's configuration folder.
  program=$stage/usr/bin/zebstat
  [ -x "$program" ] || { echo "no desktop program in this build: skipped"; exit 77; }
  export XDG_CONFIG_HOME="$scratch/config" HOME="$scratch/home" QT_QPA_PLATFORM=offscreen
  mkdir -p "$HOME"
  cp "$source/examples/ps-toluene.plx" "$scratch/data.plx"
  "$program" "$scratch/data.plx" >"$scratch/log" 2>&1 &
  pid=$!
  ini=$XDG_CONFIG_HOME/zebstat/zebstat.ini
  i=0
  while [ $i -lt 300 ] && ! grep -q '^File1=' "$ini" 2>/dev/null; do sleep 0.1; i=$((i + 1)); done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [ -f "$ini" ] || { cat "$scratch/log" >&2; fail "no settings file in $XDG_CONFIG_HOME/zebstat"; }
  grep -qx "DataPath=$scratch/" "$ini" || fail "the data folder is not remembered in $ini: $(cat "$ini")"
  grep -qx "File1=$scratch/data.plx" "$ini" || fail "the file opened is not among the recent files: $(cat "$ini")"
  if ls "$stage/usr/bin/" | grep -q '\.ini$'; then fail "a settings file was written beside the installed program"; fi
  echo "settings in $ini"
  ;;

desktop)
  need desktop-file-validate
  desktop-file-validate "$stage/usr/share/applications/io.github.zebstat.zebstat.desktop"
  # Every type the entry offers to open is one the MIME file defines and the
  # AppStream data name.
  types=$(sed -n 's/^MimeType=//p' "$stage/usr/share/applications/io.github.zebstat.zebstat.desktop" | tr ';' ' ')
  for t in $types; do
    grep -q "type=\"$t\"" "$stage/usr/share/mime/packages/io.github.zebstat.zebstat.xml" || fail "$t is not defined"
    grep -q "<mediatype>$t</mediatype>" "$stage/usr/share/metainfo/io.github.zebstat.zebstat.metainfo.xml" ||
      fail "$t is not among the media types of the AppStream data"
  done
  echo "desktop entry valid"
  ;;

metainfo)
  need appstreamcli
  appstreamcli validate --no-net --pedantic "$stage/usr/share/metainfo/io.github.zebstat.zebstat.metainfo.xml"
  ;;

mime)
  need update-mime-database
  share=$scratch/share
  mkdir -p "$share/mime/packages"
  cp "$stage/usr/share/mime/packages/io.github.zebstat.zebstat.xml" "$share/mime/packages/"
  # The types of the system's database that ours meet (text/plain, the PGP types).
  if [ -f /usr/share/mime/packages/freedesktop.org.xml ]; then
    cp /usr/share/mime/packages/freedesktop.org.xml "$share/mime/packages/"
  fi
  update-mime-database "$share/mime" 2>"$scratch/err" || { cat "$scratch/err" >&2; fail "update-mime-database"; }
  [ -s "$share/mime/mime.cache" ] || fail "no mime.cache was made"
  ex=$source/examples
  d=$scratch/files
  mkdir -p "$d"
  cp "$ex/ps-static.sta" "$d/RUN1.STA"
  cp "$ex/ps-static.sta" "$d/run2.dat"
  cp "$ex/ps-tarn.plt" "$d/tarn"
  cp "$ex/ps-toluene.plx" "$d/plx"
  cp "$ex/ps-small.asc" "$d/table.asc"
  printf '%s\n' '-----BEGIN PGP SIGNATURE-----' '' 'iQEzBAABCAAdFiEE' '-----END PGP SIGNATURE-----' >"$d/release.asc"
  printf '%s\n' 'some words' >"$d/notes.txt"
  # .dat files that are no record files: a text and a binary file of zeros.
  printf '%s\n' 'time signal' '0.0 1.0' '0.1 0.9' >"$d/signal.dat"
  head -c 1024 /dev/zero >"$d/zeros.dat"
  printf '%s\n' '{"format": 1}' >"$d/evaluation.zeb"
  XDG_DATA_DIRS=$share XDG_DATA_HOME=$scratch/nohome "$bin/zebstat_mime_check" \
    "$d/RUN1.STA=application/x-zebstat-record" \
    "$d/run2.dat=application/x-zebstat-record" \
    "content:$d/run2.dat=application/x-zebstat-record" \
    "content:$ex/ps-toluene.sta=application/x-zebstat-record" \
    "$d/signal.dat=text/plain" \
    "$d/zeros.dat=application/octet-stream" \
    "name:$d/run2.dat=application/octet-stream" \
    "$ex/ps-tarn.plt=application/x-zebstat-plt" \
    "$ex/ps-toluene.plx=application/x-zebstat-plx" \
    "content:$d/tarn=application/x-zebstat-plt" \
    "content:$d/plx=application/x-zebstat-plx" \
    "$d/tarn=application/x-zebstat-plt" \
    "$d/plx=application/x-zebstat-plx" \
    "$d/table.asc=application/x-zebstat-table" \
    "$d/release.asc=application/pgp-signature" \
    "$ex/coil-40nm.ffu=application/x-zebstat-form-factor" \
    "$d/evaluation.zeb=application/x-zebstat-session" \
    "$d/notes.txt=text/plain"
  ;;

icons)
  # Each drawing at the sizes a desktop takes it for.
  icons=$stage/usr/share/icons/hicolor
  "$bin/zebstat_render_icon" "$icons/scalable/apps/io.github.zebstat.zebstat.svg" 32,48,64,128,256 ||
    fail "the scalable icon"
  for size in 16 22 24 48; do
    "$bin/zebstat_render_icon" "$icons/${size}x$size/apps/io.github.zebstat.zebstat.svg" $size ||
      fail "the icon of $size px"
  done
  ;;

*)
  echo "usage: install_check.sh stage|files|settings|desktop|metainfo|mime|icons BUILD SOURCE STAGE" >&2
  exit 2
  ;;
esac
