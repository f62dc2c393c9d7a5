#!/usr/bin/env bash
# Installs the Debian packages Vantor and TestVantor need to build, run and be tested.
# Does nothing when every package is already installed.
set -euo pipefail

PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qtbase5-dev qtdeclarative5-dev qtquickcontrols2-5-dev qtdeclarative5-dev-tools
    qml-module-qtquick2 qml-module-qtquick-controls2 qml-module-qtquick-window2
    qml-module-qtquick-layouts qml-module-qtquick-dialogs qml-module-qt-labs-folderlistmodel
    qml-module-qt-labs-settings qml-module-qtquick-templates2 qml-module-qttest
    qml-module-qtgraphicaleffects qml-module-qtqml-models2 qml-module-qtquick-shapes
    qttools5-dev-tools qttools5-dev qtconnectivity5-dev libqt5svg5-dev
    qtmultimedia5-dev libqt5multimedia5-plugins libasound2-dev
    libprotobuf-dev protobuf-compiler
    libboost-dev libboost-stacktrace-dev
    libquazip1-qt5-dev
    xvfb xauth imagemagick
    fonts-dejavu-core fonts-droid-fallback libgl1-mesa-dri
    python3 python3-openpyxl tzdata
)

missing=()
for pkg in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
