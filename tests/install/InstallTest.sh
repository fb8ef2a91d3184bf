#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses it as a host developer would: SONAMEs, an
# external host built with find_package and with pkg-config, and the installed runner on the
# installed showcase.
set -euo pipefail
build=$1
source=$2
prefix=$(mktemp -d "${TMPDIR:-/tmp}/nuv-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name 'libkol30.so.1.0.0' | head -n 1)")
[ -d "$libdir" ] || fail "libkol30 was not installed"

for lib in kol30 tbx nuv10; do
  [ "$(readlink "$libdir/lib$lib.so")" = "lib$lib.so.1" ] || fail "lib$lib.so does not link to lib$lib.so.1"
  [ "$(readlink "$libdir/lib$lib.so.1")" = "lib$lib.so.1.0.0" ] || fail "lib$lib.so.1 does not link to lib$lib.so.1.0.0"
  readelf -d "$libdir/lib$lib.so.1.0.0" | grep -q "Library soname: \[lib$lib.so.1\]" || fail "lib$lib has no SONAME lib$lib.so.1"
done
module="$libdir/nuv/plugins/NUV.ViewParts.TBX.so"
[ -f "$module" ] || fail "the plug-in is not in $libdir/nuv/plugins"
[ -f "$prefix/include/nuv/NUVViewPart.h" ] || fail "the contract headers are not in include/nuv"

expected='module 1.0.0.0
label "Hello from the installed module" right-justified
after binding "Rebound"'

# find_package(NUV)
cmake -S "$source/tests/install/host" -B "$prefix/host-cmake" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$prefix/host-cmake" >/dev/null
[ "$("$prefix/host-cmake/external-host")" = "$expected" ] || fail "the CMake-built host did not show the label"

# pkg-config
export PKG_CONFIG_PATH="$libdir/pkgconfig"
plugindir=$(pkg-config --variable=plugindir nuv)
[ "$(realpath "$plugindir")" = "$(realpath "$libdir/nuv/plugins")" ] || fail "pkg-config's plugindir is $plugindir"
# shellcheck disable=SC2046
${CXX:-c++} -std=c++20 -o "$prefix/external-host-pc" "$source/tests/install/host/ExternalHost.cpp" \
  $(pkg-config --cflags --libs nuv) -ldl -Wl,-rpath,"$libdir"
[ "$("$prefix/external-host-pc" "$plugindir/NUV.ViewParts.TBX.so")" = "$expected" ] ||
  fail "the pkg-config-built host did not show the label"

# The installed runner finds the installed module by itself and runs the installed showcase.
examples="$prefix/share/nuv/examples"
"$prefix/bin/nuv-workbench" --version | grep -q "NUV.ViewParts.TBX.so 1.0.0.0" || fail "the installed runner found no module"
"$prefix/bin/nuv-workbench" --script "$examples/showcase.script" "$examples/showcase.xml" >"$prefix/showcase.out"
grep -q '"Editor"' "$prefix/showcase.out" || fail "the installed showcase did not run"
echo "install test passed"
