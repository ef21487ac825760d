#!/usr/bin/env bash
# Checks the installed tree, the CMake and pkg-config packages and the Debian
# package of a finished build: the example host is built through the CMake
# package from a moved install prefix, and through pkg-config from the
# unpacked Debian package. Usage: run.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/sysdlg-install-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "install check: $*" >&2; exit 1; }
launcher=()
command -v ccache >/dev/null && launcher=(ccache)

echo "== install into a prefix, then move the prefix"
cmake --install "$build" --prefix "$work/staged" >/dev/null
mv "$work/staged" "$work/prefix"
prefix=$work/prefix

# The library folder is lib, or lib/<multiarch> in a build configured for /usr.
pc=$(find "$prefix" -name sysdlg.pc -print -quit)
[[ -n $pc ]] || fail "sysdlg.pc was not installed"
lib=$(dirname "$(dirname "${pc#"$prefix"/}")")
for file in "$lib"/libsysdlg.so "$lib"/libsysplatform.so include/sysdlg/core/SystemDlg.h \
            "$lib"/cmake/sysdlg/sysdlgConfig.cmake "$lib"/cmake/sysdlg/sysdlgConfigVersion.cmake; do
  [[ -e $prefix/$file ]] || fail "$file was not installed"
done
# Nothing installed may point back into the source or build tree (the
# libraries' debug information names their sources, which is harmless).
if grep -rlsF -e "$build" -e "$source" "$prefix/include" "$prefix/$lib/cmake" "$prefix/$lib/pkgconfig"; then
  fail "the files above name the build or source tree"
fi
for binary in "$prefix/$lib"/*.so.* "$prefix"/bin/*; do
  [[ -f $binary && ! -L $binary ]] || continue
  runpath=$(readelf -d "$binary" | sed -n 's/.*R\(UN\)\?PATH.*\[\(.*\)\]/\2/p')
  [[ -z $runpath || $runpath == '$ORIGIN'* ]] || fail "$binary has the search path $runpath"
done
# Every header an installed header includes is installed too.
( cd "$prefix/include/sysdlg"
  grep -rhoE '^#include "[^"]+"' . | sed 's/#include "\(.*\)"/\1/' | sort -u | while read -r header; do
    [[ -f $header ]] || fail "an installed header includes $header, which is not installed"
  done )

echo "== minimal-host through find_package(sysdlg)"
cmake -S "$source/examples/minimal-host" -B "$work/host" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Werror \
  -DCMAKE_PREFIX_PATH="$prefix" ${launcher:+-DCMAKE_CXX_COMPILER_LAUNCHER=ccache} >/dev/null
cmake --build "$work/host" -j2 >/dev/null
"$work/host/minimal-host" | tee "$work/host.out"
grep -q '^request DLGREQ_SETTING_CHANGED .*CHG_DATA_NO' "$work/host.out" || fail "no CHG_DATA_NO request printed"

if [[ -x $prefix/bin/sysdlg-sim ]]; then
  echo "== the installed simulator starts from the moved prefix"
  "$prefix/bin/sysdlg-sim" --help >/dev/null || fail "sysdlg-sim --help failed"
fi

echo "== Debian package"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >/dev/null
deb=$(ls "$work"/package/*.deb)
dpkg-deb -c "$deb" | tee "$work/contents" | grep -E 'lib/lib|\.pc$|Config\.cmake$|bin/'
for file in "./usr/$lib/libsysdlg.so" ./usr/include/sysdlg/core/SystemDlg.h "./usr/$lib/pkgconfig/sysdlg.pc" \
            "./usr/$lib/cmake/sysdlg/sysdlgConfig.cmake"; do
  grep -q " $file\( \|$\)" "$work/contents" || fail "the package lacks $file"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
[[ $depends == *libstdc++6* ]] || fail "the package does not depend on libstdc++6"

echo "== minimal-host through pkg-config from the unpacked package, with a text table"
dpkg-deb -x "$deb" "$work/unpacked"
export PKG_CONFIG_PATH=$work/unpacked/usr/$lib/pkgconfig
libdir=$(pkg-config --variable=libdir sysdlg)
"${launcher[@]}" g++ -std=c++20 -O1 -Wall -Wextra -Werror -o "$work/minimal-host-pc" "$source"/examples/minimal-host/*.cpp \
  $(pkg-config --cflags --libs sysdlg) -Wl,-rpath,"$libdir"
printf '1\t1\tClose\n' >"$work/texts.txt"
"$work/minimal-host-pc" --texts "$work/texts.txt" | tee "$work/pc.out"
grep -q 'close button "Close"' "$work/pc.out" || fail "the text table did not reach the dialog"

echo "install check: passed"
