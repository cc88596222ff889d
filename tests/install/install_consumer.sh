#!/usr/bin/env bash
# Installs the build into a temporary prefix, then builds and runs a program of another project
# against it through find_package and through pkg-config, and runs the installed tarvo.
# Arguments: BUILD_DIR CXX_COMPILER "CXX_FLAGS" DRAWING
set -euo pipefail
build=$1 cxx=$2 flags=$3 drawing=$4
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

unset TARVO_MODULE_PATH
cmake --install "$build" --prefix "$prefix" >"$work/install.log"
for f in include/xqcmdutil/CombineHelper.h include/tarvo/sdk/db/QvDbDatabase.h bin/tarvo; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
if find "$prefix/include" -path '*modeler/detail*' | grep -q .; then
  echo "private modeler headers installed"; exit 1
fi

# find_package
cmake -S "$here/consumer" -B "$work/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="$flags" >"$work/configure.log" \
  || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/consumer" >"$work/build.log" || { cat "$work/build.log"; exit 1; }
out=$("$work/consumer/consumer" "$drawing")

# The installed program loads the installed modules and reads the same drawing.
count=$("$prefix/bin/tarvo" info "$drawing" | sed -n 's/^Model space: \([0-9]*\) entities$/\1/p')
[ -n "$count" ] || { echo "installed tarvo printed no entity count"; exit 1; }
expected=$(printf 'entities %s\ncrossing 2 2' "$count")
[ "$out" = "$expected" ] || { echo "consumer said:"; echo "$out"; echo "expected:"; echo "$expected"; exit 1; }

# pkg-config, after the prefix has moved
mv "$prefix" "$work/moved"
pc_dir=$(dirname "$(find "$work/moved" -name xqcmdutil.pc)")
pc_flags=$(PKG_CONFIG_PATH="$pc_dir" pkg-config --cflags --libs xqcmdutil)
# shellcheck disable=SC2086
"$cxx" -std=c++20 $flags "$here/consumer/main.cpp" $pc_flags -Wl,-rpath,"$(dirname "$pc_dir")" \
  -o "$work/pc-consumer"
[ "$("$work/pc-consumer" "$drawing")" = "$expected" ] || { echo "pkg-config build differs"; exit 1; }
echo "install: ok ($count entities)"
