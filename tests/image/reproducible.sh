#!/usr/bin/env bash
# Checks that Brevlin.exe is reproducible: built again from a copy of the sources at another path,
# in two fresh build folders, it gives the same bytes as the reference build.
# Usage: reproducible.sh SOURCE_DIR TOOLCHAIN_FILE REFERENCE_EXE WORK_DIR
set -euo pipefail
source_dir=$1 toolchain=$2 reference=$3 work=$4

rm -rf "$work" && mkdir -p "$work/copy/of/the/sources"
tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/copy/of/the/sources" -xf -
toolchain_copy="$work/copy/of/the/sources/cmake/$(basename "$toolchain")"
for tree in "$source_dir:$work/a" "$work/copy/of/the/sources:$work/somewhere/else/b"; do
  src=${tree%%:*} out=${tree#*:}
  tc=$toolchain; [ "$src" = "$source_dir" ] || tc=$toolchain_copy
  cmake -S "$src" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_TOOLCHAIN_FILE="$tc" >/dev/null
  cmake --build "$out" --target Brevlin >/dev/null
  if ! cmp "$reference" "$out/bin/Brevlin.exe"; then
    echo "Brevlin.exe built in $out differs from $reference"
    exit 1
  fi
done
echo "Brevlin.exe is reproducible: $(stat -c %s "$reference") bytes, identical in three builds"
