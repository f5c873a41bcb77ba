#!/usr/bin/env bash
# The long double functions the core's formulas call (expl, logl, expm1l,
# atanl, sinl, cosl) for WebAssembly, from Debian's glibc source package: the
# binary128 code of glibc's libm (sysdeps/ieee754/ldbl-128), the code AArch64
# runs. Emscripten's musl computes expl, logl and expm1l only to double
# precision, and its binary128 atanl, sinl and cosl round otherwise than
# glibc's; its sqrtl rounds correctly, as glibc's does, and stays.
#   scripts/glibc-ldbl128.sh PREFIX
# builds PREFIX/libglibc-ldbl128.a (and puts glibc's licence, the LGPL 2.1,
# beside it) once: one newer than this script and the shim is kept.
# cmake/wasm32-emscripten.cmake links it before the C library, so its
# functions stand for musl's.
#
# Only the files below are taken from the original tarball (3 s; unpacking
# and patching all of glibc takes 9 s and 300 MB); Debian's patches must not
# change them, which is checked. The internal headers the sources include
# stand empty; cmake/glibc-ldbl128/shim.h, included first, defines what the
# sources take from them.
set -euo pipefail
script=$(realpath "$0")
cd "$(dirname "$0")/.."
prefix=$(realpath -m "$1")
library=$prefix/libglibc-ldbl128.a
shim=$PWD/cmake/glibc-ldbl128/shim.h
[ "$library" -nt "$script" ] && [ "$library" -nt "$shim" ] && exit 0

sources=(
  sysdeps/ieee754/ldbl-128/e_expl.c  # __ieee754_expl, its table in t_expl.h
  math/w_exp_template.c              # expl
  sysdeps/ieee754/ldbl-128/e_logl.c  # __ieee754_logl
  math/w_log_template.c              # logl
  sysdeps/ieee754/ldbl-128/s_expm1l.c
  sysdeps/ieee754/ldbl-128/s_atanl.c
  sysdeps/ieee754/ldbl-128/s_sinl.c
  sysdeps/ieee754/ldbl-128/s_cosl.c
  sysdeps/ieee754/ldbl-128/k_sinl.c
  sysdeps/ieee754/ldbl-128/k_cosl.c
  sysdeps/ieee754/ldbl-128/t_sincosl.c
  sysdeps/ieee754/ldbl-128/e_rem_pio2l.c
  # The reduction of arguments beyond 3π/4, in double. Every product in it
  # is exact, so AArch64's fused multiply-adds there round as WebAssembly's
  # separate ones do.
  sysdeps/ieee754/dbl-64/k_rem_pio2.c
)
headers=(sysdeps/ieee754/ldbl-128/t_expl.h sysdeps/ieee754/ldbl-128/math_ldbl.h sysdeps/ieee754/ldbl-128/ieee754.h)
internal_headers=(math_private.h math-barriers.h math-underflow.h math-narrow-eval.h libc-diag.h
  libm-alias-ldouble.h libm-alias-finite.h)

work=build/glibc
scripts/debian-source.sh glibc $work/apt
orig=$(ls $work/apt/glibc_*.orig.tar.xz | head -1)
changes=$(ls $work/apt/glibc_*.debian.tar.xz | head -1)
top=$(basename "$orig" .orig.tar.xz | tr _ -)
source=$work/source
rm -rf "$source" && mkdir -p "$source/internal"
tar -xJf "$orig" -C "$source" --strip-components=1 "${sources[@]/#/$top/}" "${headers[@]/#/$top/}" "$top/COPYING.LIB"
tar -xJf "$changes" -C "$source" debian/patches
taken=$(printf '%s|' "${sources[@]}" "${headers[@]}" | sed 's/[.]/[.]/g; s/|$//')
patches=$(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' -e "s|^|$source/debian/patches/|" "$source/debian/patches/series")
status=0
# shellcheck disable=SC2086  # one patch a word
changed=$(grep -HoE "^[+]{3} [^/ ]+/($taken)([[:space:]]|$)" $patches) || status=$?
if [ $status -ne 1 ]; then
  echo "glibc-ldbl128: Debian's patches cannot be read, or change files taken here (which must then be applied):" >&2
  echo "$changed" >&2
  exit 1
fi
for header in "${internal_headers[@]}"; do
  : > "$source/internal/$header"
done

export NODE_PATH=/usr/share/nodejs
objects=$prefix-objects
rm -rf "$objects" && mkdir -p "$objects" "$prefix"
printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -I{} sh -c 'emcc -c -O2 -std=gnu11 -Wall -Werror -include "$1" -I"$2/internal" \
  -I"$2/sysdeps/ieee754/ldbl-128" "$2/$3" -o "$4/$(basename "$3" .c).o"' \
  compile "$shim" "$source" {} "$objects"
rm -f "$library.new"
emar rcs "$library.new" "$objects"/*.o
cp "$source/COPYING.LIB" "$prefix/COPYING.LIB"
mv "$library.new" "$library"
