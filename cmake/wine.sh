# Shell functions for running the Windows build under Wine; sourced by
# cmake/wine-run.sh, scripts/run-windows.sh and tests/win32/run.sh.
#
# Wine's 32-bit loader (Debian's wine32:i386) runs the i686 release, the
# program that ships, and starts 64-bit programs too, in a prefix of our own
# made with both loaders (WINEARCH=win64 with 32-bit support). Every call
# that could hang is bounded by a timeout.

# The 32-bit loader.
wine_loader() {
  for candidate in /usr/lib/wine/wine /usr/lib/i386-linux-gnu/wine/wine; do
    if [ -x "$candidate" ]; then echo "$candidate"; return 0; fi
  done
  return 1
}

wine_server() {
  for candidate in /usr/lib/wine/wineserver /usr/lib64/wine/wineserver "$(command -v wineserver 2>/dev/null)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then echo "$candidate"; return 0; fi
  done
  return 1
}

# Quiet, without the .NET and HTML engines (their installers would be offered
# on a new prefix).
wine_environment() {
  mkdir -p "$1"
  WINEPREFIX=$(cd "$1" && pwd)
  export WINEPREFIX
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Creates the prefix once. With a desktop size (e.g. 1024x768) every window
# opens inside one virtual desktop that Wine draws itself, frames included,
# which makes screenshots and window activation independent of any window
# manager. Crashes end the program instead of opening Wine's debugger.
wine_prepare_prefix() {
  local prefix=$1 desktop=${2:-}
  wine_environment "$prefix"
  prefix=$WINEPREFIX
  local loader server
  loader=$(wine_loader) || { echo "wine: the 32-bit loader (Debian package wine32:i386) is not installed" >&2; return 1; }
  server=$(wine_server) || { echo "wine: wineserver not found" >&2; return 1; }
  local marker="$prefix/.dorvane-prefix-wow64${desktop:+-$desktop}"
  [ -f "$marker" ] && return 0
  mkdir -p "$prefix"
  # Each step is bounded; whether the prefix came out usable is checked last.
  timeout 300 "$loader" wineboot -i >/dev/null 2>&1 || true
  timeout 120 "$server" -w || true
  timeout 60 "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  # Wine's own fonts (Marlett draws the caption buttons; MS Sans Serif is the
  # forms' font) where Wine looks first: some packagings install them where
  # Wine itself does not look. Times New Roman, which Windows has, is
  # replaced by its metric twin.
  local fonts="$prefix/drive_c/windows/Fonts" f
  mkdir -p "$fonts"
  for f in /usr/share/wine/fonts/*; do
    if [ -e "$f" ]; then ln -sfn "$f" "$fonts/"; fi
  done
  timeout 60 "$loader" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' \
    /d 'Liberation Serif' /f >/dev/null 2>&1 || true
  if [ -n "$desktop" ]; then
    timeout 60 "$loader" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 || true
    timeout 60 "$loader" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f \
      >/dev/null 2>&1 || true
  fi
  timeout 120 "$server" -w || true
  [ -f "$prefix/system.reg" ] || { echo "wine: could not initialise the prefix $prefix" >&2; return 1; }
  touch "$marker"
}

# The Windows version Wine reports to programs of the prefix (winxp, win98,
# ...), or its own default when none is named.
wine_set_version() {
  local prefix=$1 version=${2:-} loader
  loader=$(wine_loader) || return 1
  if [ -n "$version" ]; then
    WINEPREFIX="$prefix" timeout 60 "$loader" reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
  else
    WINEPREFIX="$prefix" timeout 60 "$loader" reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 || true
  fi
}

# Drive A: as Wine sees it: its folder (what "a:NAME" reaches) and its raw
# device (what "\\.\a:" opens), here a diskette image.
wine_map_drive_a() {
  local prefix=$1 folder=$2 image=$3
  mkdir -p "$prefix/dosdevices"
  ln -sfn "$folder" "$prefix/dosdevices/a:"
  ln -sfn "$image" "$prefix/dosdevices/a::"
}

wine_unmap_drive_a() {
  rm -f "$1/dosdevices/a:" "$1/dosdevices/a::"
}

# Ends every Wine process of the prefix.
wine_stop() {
  local server
  server=$(wine_server) || return 0
  WINEPREFIX="$1" timeout 30 "$server" -k >/dev/null 2>&1 || true
  WINEPREFIX="$1" timeout 30 "$server" -w >/dev/null 2>&1 || true
}
