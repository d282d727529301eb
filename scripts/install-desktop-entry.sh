#!/usr/bin/env bash
# Writes a desktop entry for the built saver into ~/.local/share/applications, so desktops and
# launchers can start it; its working folder is the bundled data folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
folder=${XDG_DATA_HOME:-$HOME/.local/share}/applications
mkdir -p "$folder"
cat >"$folder/dravelin-didazi.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Dravelin Didazi Screen Saver
Comment=A sea scene with a sailing game
Exec="$root/build/bin/dravelin-didazi" /s
Path=$root/build/data
Categories=Game;
ENTRY
echo "wrote $folder/dravelin-didazi.desktop"
