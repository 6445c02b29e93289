#!/usr/bin/env bash
# Installs the Debian packages Quorin needs to build, test, run and measure.
# Installs only what is missing, so a second run changes nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libgtest-dev
  fonts-noto-cjk fonts-urw-base35 xvfb xauth imagemagick xdotool
  e2fsprogs libc-bin hyperfine time
  fusefat exfat-fuse dosfstools exfatprogs
  clang-14 libfuzzer-14-dev libclang-rt-14-dev
  libqt6svg6 desktop-file-utils appstream bash-completion man-db dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]} (this can take some minutes)"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
