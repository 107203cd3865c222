#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and the demo need.
# Idempotent: packages already present are left alone. Run as root (or with sudo).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev qt6-translations-l10n
    libsqlite3-dev sqlite3
    libcurl4-openssl-dev libssl-dev ca-certificates openssl
    libzip-dev zipcmp zipmerge ziptool
    mdbtools mdbtools-dev libglib2.0-dev
    libgtest-dev libgmock-dev googletest
    php-cli php8.2-zip stunnel4 chromium
    clang-format python3
    clang libclang-rt-14-dev
    xvfb xauth qt6-qpa-plugins fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
