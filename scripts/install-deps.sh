#!/usr/bin/env bash
# Installs the Debian packages that building, testing, packaging and running
# Ravelin need (the packaging checks use the desktop's and Debian's own tools).
# Idempotent: does nothing when everything is present. --fuzz adds the clang
# toolchain of the fuzz targets, --format the pinned clang-format (14, Debian 12's).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libqt6svg6
  libicu-dev gettext
  libgtest-dev libgmock-dev libbenchmark-dev
  adwaita-icon-theme fonts-dejavu-core
  dosbox xorriso
  # DOSBox Staging builds of the end-to-end tests: their libraries, and an X
  # server (they do not start with SDL's dummy video driver) with a pointer
  # tool for the keymapper
  libsdl2-2.0-0 libsdl2-net-2.0-0 libsdl2-image-2.0-0 libslirp0 libpng16-16 libopusfile0
  libgl1 libspeexdsp1 libfluidsynth3 libasound2 xvfb xdotool
  desktop-file-utils appstream lintian dpkg-dev libglib2.0-bin groff-base file
)
for option in "$@"; do
  case "$option" in
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    --format) packages+=(clang-format-14) ;;
    *) echo "install-deps.sh: unknown option $option" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root (apt-get install ...), or install sudo." >&2
    exit 1
  fi
  sudo=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
