# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash disable=SC2034
# Sourced by scripts/install and scripts/uninstall: where a per-user installation lives, the way the
# desktop looks for menu entries and icons, and which of its files belong to the player.

data_home=${XDG_DATA_HOME:-}
# A relative XDG_DATA_HOME is invalid and the desktop ignores it, so we do too.
[[ "$data_home" == /* ]] || data_home="${HOME:?HOME is not set}/.local/share"
data_home=${data_home%/}
program_folder="$data_home/LexiTrainer"
applications="$data_home/applications"
desktop_file="$applications/lexitrainer.desktop"
icon_theme="$data_home/icons/hicolor"
# Software centres read the AppStream description from here.
metainfo_file="$data_home/metainfo/lexitrainer.metainfo.xml"
# The dictionary tool on the player's PATH: Debian's ~/.profile puts this folder there when it exists.
bin_dir="${HOME:?HOME is not set}/.local/bin"
tool_link="$bin_dir/lexitrainer-dict"

# What the game writes beside its executable: an update never replaces these, an uninstall keeps them.
player_files=(Players.ini словарь/User.txt Save BackgroundImage.bmp LexiTrainer.reg)

# is_player_file RELATIVE_PATH: whether the path inside the program folder is one of the player's files.
is_player_file() {
  local kept
  for kept in "${player_files[@]}"; do
    [[ "$1" == "$kept" || "$1" == "$kept"/* ]] && return 0
  done
  return 1
}

# The menu and the icon theme read caches where they exist; a missing or failing tool only means the
# desktop notices the change a little later.
refresh_desktop_caches() {
  if [[ -d "$applications" ]] && command -v update-desktop-database >/dev/null; then
    update-desktop-database -q "$applications" || echo "update-desktop-database failed; ignored" >&2
  fi
  if [[ -d "$icon_theme" ]] && command -v gtk-update-icon-cache >/dev/null; then
    gtk-update-icon-cache -q -f -t "$icon_theme" || echo "gtk-update-icon-cache failed; ignored" >&2
  fi
}
