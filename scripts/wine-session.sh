# SPDX-License-Identifier: MIT
# Sourced by the stages that run Windows programs: an X display and a wine prefix of their
# own. After `wine_session FOLDER`, DISPLAY is a fresh Xvfb and WINEPREFIX a fresh 64-bit
# prefix in FOLDER/prefix with one wine server running; both end when the script exits.
# $wine runs a program (32-bit ones too, once scripts/enable-win32-programs.sh has run);
# `winpath FILE` gives a file's path as wine sees it. The caller defines fail().

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64

winpath() { # the prefix's drive Z: is the Unix root
  local path
  path=$(realpath "$1")
  printf 'Z:%s' "${path//\//\\}"
}

wine_session_xvfb=""
wine_session_end() {
  # Ends the wine processes of this prefix only, then the display.
  "$wineserver" -k 2>/dev/null || true
  if [ -n "$wine_session_xvfb" ]; then
    kill "$wine_session_xvfb" 2>/dev/null || true
    wait "$wine_session_xvfb" 2>/dev/null || true
  fi
}

wine_session() { # wine_session <folder>
  local work
  work=$(realpath -m "$1")
  rm -rf "$work"
  mkdir -p "$work/prefix"
  export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  trap wine_session_end EXIT

  # Xvfb takes the first free display number and writes it to descriptor 3.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  wine_session_xvfb=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(head -n1 "$work/display")"

  # Text smoothing as Windows has it by default (ClearType). wine takes the smoothing of a
  # font from the X resources Xft.antialias and Xft.rgba when the display has them, else
  # from fontconfig, and only then from the registry (Control Panel\Desktop\FontSmoothing*).
  # Debian's fontconfig asks for grey smoothing, and for grey smoothing wine obeys the
  # font's gasp table: Liberation Serif (our Times New Roman) allows it only below 11 and
  # above 17 pixels per em, so the form's 16-pixel text would be drawn as hinted black and
  # white glyphs, whose Latin letters and digits lose most of their serifs and look like
  # a sans-serif face. Subpixel smoothing is not limited by the gasp table.
  printf 'Xft.antialias: true\nXft.rgba: rgb\n' >"$work/Xresources"
  export XENVIRONMENT=$work/Xresources

  # One wine server for the whole run, so that each program starts quickly.
  "$wineserver" -p
  "$wine" wineboot --init >"$work/wineboot.log" 2>&1 || fail "wineboot: $(cat "$work/wineboot.log")"
  # No window manager: wine must not wait for one. The prefix has no Windows fonts:
  # faces that lay out every Cyrillic text. A crash ends the program instead of
  # waiting in a debugger.
  cat >"$work/prefix.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Times New Roman"="Liberation Serif"
"MS Shell Dlg"="DejaVu Sans"
"MS Shell Dlg 2"="DejaVu Sans"
"Tahoma"="DejaVu Sans"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"=""
REG
  "$wine" regedit /S "$(winpath "$work/prefix.reg")" || fail "regedit"
}
