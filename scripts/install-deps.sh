#!/usr/bin/env bash
# Installs the Debian packages that building and testing Harrowdex need, when missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config clang libclang-rt-14-dev clang-format
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
  libsqlite3-dev sqlite3 libzip-dev libcli11-dev nlohmann-json3-dev libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev
  fonts-liberation poppler-utils
  dpkg-dev fakeroot file help2man lintian desktop-file-utils appstream
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
