#!/usr/bin/env bash
# Installs the Debian packages the project needs; quick when they are already there.
set -euo pipefail
packages=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev libqrcodegencpp-dev
  libjpeg62-turbo-dev libpng-dev libtiff-dev libzip-dev libfreetype-dev fonts-dejavu-core zip unzip
  libsdl2-dev libx11-dev python3-paho-mqtt mosquitto-clients xvfb x11-apps xdotool)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
