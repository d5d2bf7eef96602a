#!/usr/bin/env bash
# The screen gallery: builds the program and the galleries (Release, in build/),
# plays the seeded single-player tour of the classic table in a real window on
# SDL's offscreen driver (clicks as a player makes them, through the window's
# input) and writes one PNG per named screen to build/screens/, with
# build/screens/index.html showing them in order and what the layout check
# found on each. Then the Super table's staged screens of its three modes
# (super-mode<M>-<stage>.png) and the four-player table's (four-<stage>.png),
# the layout check's findings in super.log, and
# the tournament table staged through a match (compete-<stage>.png, with the
# bar's status line and the layout check's findings in compete.log). A fresh
# profile each run, so the first hands are a new player's.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
jobs="${DDZ_JOBS:-$(nproc)}"
[ "$jobs" -gt 8 ] && jobs=8
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DDDZ_BUILD_TESTS=ON -DDDZ_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target screen_gallery super_gallery compete_gallery ddz -j "$jobs" >"$build/screens-build.log" 2>&1 ||
  { tail -30 "$build/screens-build.log"; exit 1; }
out="$build/screens"
rm -rf "$out"
mkdir -p "$out/home"
XDG_DATA_HOME="$out/home" SDL_VIDEODRIVER=offscreen SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy \
  "$build/tests/screen_gallery" "$out" 2>"$out/gallery.log" || { tail -30 "$out/gallery.log"; exit 1; }
grep -E '^(screen|note|[0-9]+ screens)' "$out/gallery.log" || true
: >"$out/super.log"
for mode in 0 1 2; do
  XDG_DATA_HOME="$out/home" SDL_VIDEODRIVER=offscreen SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy \
    "$build/tests/super_gallery" "$out" "$mode" 2>>"$out/super.log" || { tail -30 "$out/super.log"; exit 1; }
done
XDG_DATA_HOME="$out/home" SDL_VIDEODRIVER=offscreen SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy \
  "$build/tests/super_gallery" "$out" four 2>>"$out/super.log" || { tail -30 "$out/super.log"; exit 1; }
grep -E 'Super screens|four-player screens' "$out/super.log" || true
XDG_DATA_HOME="$out/home" SDL_VIDEODRIVER=offscreen SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy \
  "$build/tests/compete_gallery" "$out" 2>"$out/compete.log" || { tail -30 "$out/compete.log"; exit 1; }
grep -E 'tournament screens' "$out/compete.log" || true
echo "open $out/index.html"
