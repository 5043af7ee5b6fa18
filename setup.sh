#!/usr/bin/env bash
# Installs what Qelvo needs to build, run and test (Debian packages), then
# configures and builds into build/. Quick when everything is already there.
#   ./setup.sh                 set up and build
#   BUILD_DIR=x CMAKE_ARGS=... ./setup.sh   another build folder or options
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  # build
  cmake ninja-build g++ clang-format qt6-base-dev qt6-base-private-dev libgl-dev libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # run: Japanese-capable font for the interface
  fonts-ipafont-gothic
  # the other Japanese faces a desktop may have: the label-fit test runs under each
  fonts-noto-cjk fonts-ipaexfont-gothic fonts-vlgothic fonts-droid-fallback fonts-dejavu-core
  # end-to-end tests and benchmarks
  xvfb openbox xdotool x11-utils imagemagick libjpeg-turbo-progs
  # packaging checks (the idle watchers the example units start)
  desktop-file-utils man-db xautolock swayidle
  # the desktops' own wallpaper tools as test partners
  dbus-daemon libglib2.0-bin dconf-gsettings-backend dconf-cli gsettings-desktop-schemas
  cinnamon-desktop-data mate-desktop-common xfconf libxfconf-0-3 sway swaybg grim
  # the show under a Wayland compositor: Qt's wayland plugin, keys typed through sway
  qt6-wayland wtype
  # LXQt's desktop (pcmanfm-qt) as a wallpaper test partner
  pcmanfm-qt
  # build: the PNG icons drawn from the SVG
  librsvg2-bin
  # the screen-saver hosts: the X saver's and DPMS's extensions, the hosts themselves as test
  # partners, and the package's checks (lintian, appstreamcli)
  pkg-config libxcb1-dev libxcb-screensaver0-dev libxcb-dpms0-dev
  xscreensaver xsecurelock lintian appstream libxml2-utils
  # fuzz targets: clang and its libFuzzer and sanitizer runtimes
  clang libclang-rt-14-dev
  # a FUSE folder whose reads never answer, for the stalled-picture test
  libfuse3-dev fuse3
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=()
  [[ $(id -u) -ne 0 ]] && SUDO=(sudo)
  "${SUDO[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

BUILD_DIR=${BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -S . -B "$BUILD_DIR" -G Ninja ${CMAKE_ARGS:-}
cmake --build "$BUILD_DIR" -j "$(nproc)"

# A first run shows something: a demo list of pictures made here, written
# only when the build has no settings file of its own yet.
if [[ ! -e "$BUILD_DIR/Qelvo.ini" ]] && command -v convert >/dev/null; then
  demo="$(cd "$BUILD_DIR" && pwd)/demo"
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
  mkdir -p "$demo"
  convert -size 1600x1200 gradient:'#123a6b'-'#f2b134' -swirl 200 "$demo/dusk.jpg"
  convert -size 1200x1600 radial-gradient:'#f6e27a'-'#2b5d34' "$demo/meadow.jpg"
  convert -size 80x50 pattern:checkerboard -scale 1600% -fill '#c0392b' -colorize 40% "$demo/tiles.bmp"
  convert -size 800x600 gradient:'#0b0b2b'-'#6a2c70' -background '#0b0b2b' -wave 40x200 -colors 64 "$demo/waves.gif"
  printf '%s\r\n' \
    '[AppState]' 'AppName=qelvo' "AppVersion=$version" "AppLastAccPath=$demo" '' \
    '[ExecuteState]' 'ExecuteNumber=0' 'WPChanger=0' 'WPIndex=0' 'LastExecute=2000/01/01 0:00:00' '' \
    '[SettingLists]' \
    '***StartList***' 'ListName=Qelvo demo' 'ChgTime=4' 'ZoomMax=1' 'RandomView=0' 'MouseDisable=1' 'Effect=0' \
    'Pathes' "(demo),$demo" '***EndList***' > "$BUILD_DIR/Qelvo.ini"
  echo "setup: wrote a demo list to $BUILD_DIR/Qelvo.ini"
fi
