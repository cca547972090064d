#!/usr/bin/env bash
# Builds the Debian package from the finished build, unpacks it into a scratch
# root as dpkg would install it, runs the installed content checker on the
# installed data folder, makes a page with the installed page tool from a
# photo and a memo, and starts the installed program through its
# launcher on the offscreen platform. The program runs until it is closed, so
# being ended by the timeout (exit 124) is a successful start; anything else
# is a crash or a failed start.
#   debian_package_test.sh <cpack> <build dir> <source dir> <bundled data 0|1>
set -euo pipefail
cpack=$1 build=$2 source=$3 bundled=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
debs=("$work"/out/tolvika_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "FAIL: expected one tolvika_*.deb"; ls -l "$work/out"; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb") ($(stat -c %s "$deb") bytes)"

[[ $(dpkg-deb -f "$deb" Package) == tolvika ]] || fail "package name is not tolvika"
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for dep in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins libsdl2-2.0-0 libjpeg62-turbo fonts-liberation \
           qt6-image-formats-plugins libheif1 libavformat59 libavcodec59 libswresample4 libavutil57; do
  grep -Eq "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
lib=$root/usr/lib/tolvika
[[ -x $root/usr/bin/tolvika ]] || fail "no launcher usr/bin/tolvika"
[[ -x $lib/tolvika ]] || fail "no executable usr/lib/tolvika/tolvika"
if [[ $bundled == 1 ]]; then
  for f in Main/welcome_text.txt Main/welcome_img.jpg Main/welcome_sound.wav help.txt data.txt \
           Б/letter_text.txt Ё/letter_img.jpg Я/letter_voice.wav; do
    [[ -s $lib/DATA/$f ]] || fail "DATA/$f missing beside the executable"
  done
  count=$(find "$lib/DATA" -mindepth 1 -maxdepth 1 -type d | wc -l)
  [[ $count -eq 34 ]] || fail "DATA holds $count folders, not 34"
fi

# The content checker comes with the program and passes the folder installed with it,
# with no display and no sound device to lean on.
checker=$root/usr/bin/tolvika-check
if [[ -x $checker ]]; then
  if [[ $bundled == 1 ]]; then
    rc=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u SDL_AUDIODRIVER \
      "$checker" "$lib/DATA" >"$work/check.log" 2>&1 || rc=$?
    if [[ $rc -ne 0 ]]; then
      cat "$work/check.log"
      fail "the installed checker ended with $rc on the installed DATA folder"
    fi
    grep -q '^Summary: 104 files, 104 ok' "$work/check.log" || fail "the installed checker's summary is not all ok"
  fi
else
  fail "no content checker usr/bin/tolvika-check"
fi

# The page tool comes with it and makes a whole page from a parent's sources,
# again with no display and no sound device.
pager=$root/usr/bin/tolvika-page
if [[ -x $pager ]]; then
  if convert -size 800x600 gradient:orange-white "$work/photo.webp" 2>/dev/null &&
     sox -n -r 44100 -c 2 "$work/memo.flac" synth 0.5 sine 440 vol 0.5 pad 0.3 0.3 2>/dev/null; then
    rc=0
    { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u SDL_AUDIODRIVER "$pager" --new "$work/МояАзбука" &&
      env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u SDL_AUDIODRIVER "$pager" "$work/МояАзбука" б \
        --picture "$work/photo.webp" --text 'Бб\nБабушка' --sound "$work/memo.flac"; } >"$work/page.log" 2>&1 || rc=$?
    if [[ $rc -ne 0 ]]; then
      cat "$work/page.log"
      fail "the installed page tool ended with $rc"
    fi
    grep -Eq '^Б +ok 2 lines +ok 591×443 +ok ' "$work/page.log" || fail "the installed page tool's page does not check ok"
  else
    echo "convert or sox missing: the installed page tool was not run"
  fi
else
  fail "no page tool usr/bin/tolvika-page"
fi

desktop=$root/usr/share/applications/tolvika.desktop
if [[ -f $desktop ]]; then
  for line in 'Type=Application' 'Name=Tolvika' 'Exec=tolvika' 'Icon=tolvika' 'Categories=Education;Languages;'; do
    grep -qxF "$line" "$desktop" || fail "desktop entry lacks $line"
  done
  grep -q '^Comment=' "$desktop" && grep -q '^Comment\[ru\]=' "$desktop" || fail "desktop entry lacks a comment"
else
  fail "no desktop entry"
fi
for size in 16 32 128; do
  if [[ -f $source/windows/resources/icon/tolvika-$size.png ]]; then
    [[ -s $root/usr/share/icons/hicolor/${size}x${size}/apps/tolvika.png ]] || fail "icon ${size}x${size} not installed"
  fi
done

# Start the installed copy; the launcher must find the executable beside it.
rc=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
  timeout 3 "$root/usr/bin/tolvika" >"$work/run.log" 2>&1 || rc=$?
if [[ $rc -ne 124 ]]; then
  cat "$work/run.log"
  fail "the installed program ended with $rc instead of running until stopped"
fi

if ((failures)); then
  echo "$failures packaging check(s) failed"
  exit 1
fi
echo "packaging checks passed"
