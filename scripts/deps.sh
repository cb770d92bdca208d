#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev libxcb1-dev
  libfluidsynth-dev libpulse-dev timgm6mb-soundfont fluid-soundfont-gm
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-kaushanscript fonts-dancingscript fonts-urw-base35 fontconfig
  xvfb xauth xdotool imagemagick openbox metacity xfwm4 x11-utils
  libcups2-dev cups printer-driver-cups-pdf poppler-utils
  pulseaudio pulseaudio-utils libasound2-plugins
  stress-ng fluidsynth
  file lintian
  dbus-daemon at-spi2-core libatspi2.0-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "deps: skipped: installing needs root or sudo; install them yourself: ${missing[*]}"
      exit 0
    fi
    sudo="sudo"
  fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
