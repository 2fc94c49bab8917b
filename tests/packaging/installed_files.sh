#!/bin/sh
# Installs the build tree into a scratch root and checks that every file a
# desktop and a shell look for is there.
# Usage: installed_files.sh CMAKE BUILD_DIR ROOT [PYTHON_MODULE]
# PYTHON_MODULE: the module's file below /usr, with its typing stub beside it.
set -eu
cmake=$1 build=$2 root=$3 python_module=${4:-}
rm -rf "$root"
DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null

id=io.github.folixdesign.FolixDesign
missing=0
for file in bin/folix bin/folixdesign \
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/icons/hicolor/scalable/apps/$id.svg \
  share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
  share/man/man1/folix.1 share/man/man1/folixdesign.1 \
  share/bash-completion/completions/folix \
  lib/folix/libfolix_no_fpe_traps.so \
  share/doc/folixdesign/copyright \
  ${python_module:+"$python_module" "$(dirname "$python_module")/folix.pyi"}; do
  [ -s "$root/usr/$file" ] || { echo "missing: /usr/$file"; missing=1; }
done
for program in folix folixdesign; do
  [ -x "$root/usr/bin/$program" ] || { echo "not executable: /usr/bin/$program"; missing=1; }
done
# A PNG's width stands in bytes 16 to 19 of its header.
for size in 48 256; do
  width=$(od -An -tu4 --endian=big -j16 -N4 "$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png" | tr -d ' ')
  [ "$width" = "$size" ] || { echo "the ${size}x$size icon is $width pixels wide"; missing=1; }
done
exit $missing
