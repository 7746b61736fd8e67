# Shared by run.sh and test.sh: install what is missing, build.

# fonts-liberation: metric-compatible stand-ins for the forms' Windows fonts.
# libxcb1-dev: the Linux program asks whether its X connection still stands.
# help2man: the manual page is made from --help.
BUILD_PACKAGES=(cmake ninja-build g++ binutils qt6-base-dev libxcb1-dev libgtest-dev libgmock-dev fonts-liberation fonts-dejavu-core
  help2man)
# xdg-utils: xdg-open, which takes the mailto: and web addresses to the
# user's mail program and browser.
RUN_PACKAGES=(xdg-utils)
# imagemagick: import grabs a window with the frame its window manager drew.
TEST_PACKAGES=(python3 dosfstools mtools qemu-system-x86 dosbox xvfb xauth xdotool x11-utils openbox imagemagick locales)

# Installs the Debian packages that are not installed yet; runs apt-get update
# only when something is missing. A package of another architecture
# (wine32:i386) first adds that architecture to dpkg.
ensure_packages() {
  local missing=() foreign=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  for p in "${missing[@]}"; do
    case $p in *:*) foreign+=("${p##*:}") ;; esac
  done
  for arch in "${foreign[@]}"; do
    [ "$arch" = "$(dpkg --print-architecture)" ] && continue
    dpkg --print-foreign-architectures | grep -qx "$arch" || $sudo dpkg --add-architecture "$arch" || return 1
  done
  $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# What a screen reader hears: Debian's Python with its AT-SPI binding, a D-Bus
# session of the suite's own and the accessibility bus on it.
A11Y_PACKAGES=(python3-pyatspi dbus-daemon dbus-bin at-spi2-core xvfb openbox)
# The Debian package and its judges: lintian, the desktop entry's and
# AppStream's validators, dpkg-shlibdeps (dpkg-dev) for its dependencies,
# man for its manual page; mtools and dosfstools judge the diskette its
# program makes, under Xvfb and openbox, driven by xdotool.
PACKAGE_PACKAGES=(lintian desktop-file-utils appstream dpkg-dev man-db mtools dosfstools xvfb xauth openbox xdotool
  x11-utils imagemagick)
# clang-format decides what a body of one statement is (the brace check).
STYLE_PACKAGES=(clang-format python3)
# The release build uses the win32 thread model (no winpthread, so no need
# for Windows Vista); the tests use posix, which GoogleTest needs. The i686
# release and its tests run under Wine's 32-bit loader (wine32:i386), which
# starts 64-bit programs too; dosbox runs the console program that a PIF
# names, as Wine's DOS support hands it over.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 mingw-w64-tools
  wine wine64 wine32:i386 dosbox xvfb xauth xdotool x11-utils openbox googletest imagemagick fonts-liberation python3)

build_preset() {
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1"
}

build_native() {
  build_preset native
}
