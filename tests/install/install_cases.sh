#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# install_cases.sh CASE SOURCE_DIR BUILT_FOLDER: runs scripts/install and scripts/uninstall against a
# temporary home of its own; BUILT_FOLDER is the build's program folder, never rebuilt here.
set -euo pipefail

case_name=$1
source_dir=$(cd "$2" && pwd -P)
built=$(cd "$3" && pwd -P)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home"
mkdir -p "$HOME"
unset XDG_DATA_HOME LEXITRAINER_INSTALL_FROM

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

same_file() {
  cmp -s "$1" "$2" || fail "$2 differs from $1"
}

# fake_build FOLDER VERSION: a small program folder as the build lays it out, with the real icons.
fake_build() {
  mkdir -p "$1/словарь" "$1/sound"
  printf '#!/bin/sh\necho %s\n' "$2" >"$1/LexiTrainer"
  chmod +x "$1/LexiTrainer"
  echo "main $2" >"$1/словарь/main.txt"
  echo "yes $2" >"$1/sound/Yes.wav"
  echo "read me $2" >"$1/ReadMe.htm"
  printf '#!/bin/sh\necho dict %s\n' "$2" >"$1/lexitrainer-dict"
  chmod +x "$1/lexitrainer-dict"
  cp -R "$built/icons" "$1/icons"
  cp "$built/lexitrainer.metainfo.xml" "$1/"
}

# put_player_files FOLDER WHOSE: every kind of file the player's game writes, with bytes no text tool
# keeps.
put_player_files() {
  mkdir -p "$1/словарь" "$1/Save/старые"
  printf 'players %s\r\n\x98\xff\x00end' "$2" >"$1/Players.ini"
  printf 'user %s\x00\x98\xe0' "$2" >"$1/словарь/User.txt"
  printf 'game one %s\x01' "$2" >"$1/Save/Игра 1.gsv"
  printf 'game two %s\x02' "$2" >"$1/Save/старые/two.gsv"
  printf 'BM\x00\x01picture %s' "$2" >"$1/BackgroundImage.bmp"
  printf 'REGEDIT4\r\n\r\n; %s' "$2" >"$1/LexiTrainer.reg"
}

player_paths=(Players.ini словарь/User.txt "Save/Игра 1.gsv" Save/старые/two.gsv BackgroundImage.bmp
  LexiTrainer.reg)

# keep_copy FOLDER COPY: the player's files as they are now, to compare with later.
keep_copy() {
  local path
  for path in "${player_paths[@]}"; do
    mkdir -p "$(dirname "$2/$path")"
    cp "$1/$path" "$2/$path"
  done
}

same_player_files() {
  local path
  for path in "${player_paths[@]}"; do
    same_file "$2/$path" "$1/$path"
  done
}

validate() {
  command -v desktop-file-validate >/dev/null ||
    fail "desktop-file-validate is missing: scripts/setup installs it (desktop-file-utils)"
  desktop-file-validate "$1" || fail "desktop-file-validate rejects $1"
}

install_from() {
  LEXITRAINER_INSTALL_FROM=$1 "$source_dir/scripts/install"
}

desktop_value() {
  sed -n "s/^$2=//p" "$1"
}

case "$case_name" in
lands_where_the_desktop_looks)
  export XDG_DATA_HOME="$work/data"
  install_from "$built" >/dev/null
  program="$XDG_DATA_HOME/LexiTrainer"
  [[ -x "$program/LexiTrainer" ]] || fail "no executable in $program"
  same_file "$built/LexiTrainer" "$program/LexiTrainer"
  same_file "$built/словарь/main.txt" "$program/словарь/main.txt"
  same_file "$built/sound/End.wav" "$program/sound/End.wav"
  same_file "$built/ReadMe.htm" "$program/ReadMe.htm"
  for size in 16 22 24 32 48 64 128 256; do
    same_file "$built/icons/hicolor/${size}x$size/apps/lexitrainer.png" \
      "$XDG_DATA_HOME/icons/hicolor/${size}x$size/apps/lexitrainer.png"
  done
  entry="$XDG_DATA_HOME/applications/lexitrainer.desktop"
  validate "$entry"
  [[ "$(desktop_value "$entry" Exec)" == "$program/LexiTrainer" ]] || fail "Exec is not $program/LexiTrainer"
  [[ "$(desktop_value "$entry" Path)" == "$program" ]] || fail "Path is not $program"
  [[ "$(desktop_value "$entry" Icon)" == lexitrainer ]] || fail "Icon is not lexitrainer"
  [[ -z "$(find "$XDG_DATA_HOME" -name '.LexiTrainer-install.*' -o -name '.lexitrainer.desktop.*')" ]] ||
    fail "temporary files left behind"
  metainfo="$XDG_DATA_HOME/metainfo/lexitrainer.metainfo.xml"
  same_file "$built/lexitrainer.metainfo.xml" "$metainfo"
  appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli validate rejects $metainfo"
  # The tool on the PATH brings words into the installed game, not into the build it came from.
  [[ "$(readlink "$HOME/.local/bin/lexitrainer-dict")" == "$program/lexitrainer-dict" ]] ||
    fail "~/.local/bin/lexitrainer-dict does not lead to the installed tool"
  printf 'cat\tкот\n' >"$work/words.tsv"
  (cd "$work" && PATH="$HOME/.local/bin:$PATH" lexitrainer-dict import words.tsv >"$work/import.log" 2>&1) ||
    fail "lexitrainer-dict import failed: $(cat "$work/import.log")"
  [[ -s "$program/словарь/User.txt" ]] || fail "the import did not reach $program"
  [[ ! -e "$built/словарь/User.txt" ]] || fail "the import went into the build"
  ;;

home_without_xdg_data_home)
  # Unset and relative alike mean ~/.local/share; a home with a space and a "$" must still start.
  export HOME="$work/my \$home"
  mkdir -p "$HOME"
  fake_build "$work/build" v1
  export XDG_DATA_HOME=relative/data
  install_from "$work/build" >/dev/null
  program="$HOME/.local/share/LexiTrainer"
  same_file "$work/build/LexiTrainer" "$program/LexiTrainer"
  entry="$HOME/.local/share/applications/lexitrainer.desktop"
  validate "$entry"
  [[ "$(desktop_value "$entry" Exec)" == "\"$work/my \\\\\$home/.local/share/LexiTrainer/LexiTrainer\"" ]] ||
    fail "Exec not quoted: $(desktop_value "$entry" Exec)"
  [[ "$(desktop_value "$entry" Path)" == "$program" ]] || fail "Path is not $program"
  [[ -f "$HOME/.local/share/icons/hicolor/48x48/apps/lexitrainer.png" ]] || fail "no icon"
  ;;

second_install_keeps_player_files)
  export XDG_DATA_HOME="$work/data"
  program="$XDG_DATA_HOME/LexiTrainer"
  # Builds someone played in hold that player's files: a first install leaves them behind, and a second
  # does not let them replace the installed ones.
  fake_build "$work/v1" v1
  echo dropped >"$work/v1/old.txt"
  put_player_files "$work/v1" "the build's"
  install_from "$work/v1" >/dev/null
  for path in Players.ini словарь/User.txt Save BackgroundImage.bmp LexiTrainer.reg; do
    [[ ! -e "$program/$path" ]] || fail "$path was copied from the build"
  done
  put_player_files "$program" "the installed"
  keep_copy "$program" "$work/before"
  fake_build "$work/v2" v2
  echo added >"$work/v2/sound/New.wav"
  put_player_files "$work/v2" "the new build's"
  rm "$work/v2/icons/hicolor/22x22/apps/lexitrainer.png"
  output=$(install_from "$work/v2")
  same_player_files "$program" "$work/before"
  same_file "$work/v2/словарь/main.txt" "$program/словарь/main.txt"
  same_file "$work/v2/LexiTrainer" "$program/LexiTrainer"
  same_file "$work/v2/sound/New.wav" "$program/sound/New.wav"
  [[ ! -e "$program/old.txt" ]] || fail "a file the old version shipped stayed"
  [[ ! -e "$XDG_DATA_HOME/icons/hicolor/22x22/apps/lexitrainer.png" ]] || fail "an old icon size stayed"
  [[ "$output" == *"Kept the player's files: Players.ini словарь/User.txt Save BackgroundImage.bmp LexiTrainer.reg"* ]] ||
    fail "the kept files are not named: $output"
  [[ "$output" == *"Not copied from $work/v2"*Players.ini* ]] || fail "the files left in the build are not named"
  ;;

uninstall_keeps_player_files_until_purge)
  export XDG_DATA_HOME="$work/data"
  program="$XDG_DATA_HOME/LexiTrainer"
  fake_build "$work/build" v1
  install_from "$work/build" >/dev/null
  put_player_files "$program" "the installed"
  keep_copy "$program" "$work/before"
  output=$("$source_dir/scripts/uninstall")
  [[ ! -e "$XDG_DATA_HOME/applications/lexitrainer.desktop" ]] || fail "the menu entry stayed"
  [[ -z "$(find "$XDG_DATA_HOME/icons" -name lexitrainer.png)" ]] || fail "icons stayed"
  for path in LexiTrainer словарь/main.txt sound ReadMe.htm icons; do
    [[ ! -e "$program/$path" ]] || fail "$path stayed"
  done
  [[ ! -e "$XDG_DATA_HOME/metainfo/lexitrainer.metainfo.xml" ]] || fail "the metainfo stayed"
  [[ ! -L "$HOME/.local/bin/lexitrainer-dict" ]] || fail "the tool's link stayed"
  same_player_files "$program" "$work/before"
  [[ "$output" == *"Players.ini словарь/User.txt Save BackgroundImage.bmp LexiTrainer.reg"* ]] ||
    fail "the kept files are not named: $output"
  "$source_dir/scripts/uninstall" --purge >/dev/null
  [[ ! -e "$program" ]] || fail "--purge left $program"
  ;;

uninstall_without_player_files)
  export XDG_DATA_HOME="$work/data"
  fake_build "$work/build" v1
  install_from "$work/build" >/dev/null
  mkdir "$XDG_DATA_HOME/LexiTrainer/Save"
  "$source_dir/scripts/uninstall" >/dev/null
  [[ ! -e "$XDG_DATA_HOME/LexiTrainer" ]] || fail "an empty program folder stayed"
  # Uninstalling twice, or with a wrong option, changes nothing and says so.
  "$source_dir/scripts/uninstall" >/dev/null
  if "$source_dir/scripts/uninstall" --all 2>/dev/null; then
    fail "a wrong option was accepted"
  fi
  ;;

builds_unless_given_a_built_folder)
  # A copy of the scripts with a set-up that only records it ran and lays out a build.
  mkdir -p "$work/repo/scripts"
  cp "$source_dir/scripts/install" "$source_dir/scripts/install-paths.sh" "$work/repo/scripts/"
  cat >"$work/repo/scripts/setup" <<SETUP
#!/usr/bin/env bash
set -e
touch "$work/setup-ran"
mkdir -p build/LexiTrainer
printf '#!/bin/sh\n' >build/LexiTrainer/LexiTrainer
chmod +x build/LexiTrainer/LexiTrainer
cp -R "$built/icons" build/LexiTrainer/icons
cp "$built/lexitrainer.metainfo.xml" build/LexiTrainer/
SETUP
  chmod +x "$work/repo/scripts/setup"
  export XDG_DATA_HOME="$work/data"
  "$work/repo/scripts/install" >/dev/null
  [[ -e "$work/setup-ran" ]] || fail "install did not set up and build"
  same_file "$work/repo/build/LexiTrainer/LexiTrainer" "$XDG_DATA_HOME/LexiTrainer/LexiTrainer"
  rm "$work/setup-ran"
  # Given relative to where it is called from, as a user types it.
  fake_build "$work/given" given
  (cd "$work" && LEXITRAINER_INSTALL_FROM=given "$work/repo/scripts/install" >/dev/null)
  [[ ! -e "$work/setup-ran" ]] || fail "install built although given a built folder"
  same_file "$work/given/LexiTrainer" "$XDG_DATA_HOME/LexiTrainer/LexiTrainer"
  # A folder that is not a build fails and leaves the installation as it was.
  mkdir "$work/empty"
  if LEXITRAINER_INSTALL_FROM="$work/empty" "$work/repo/scripts/install" 2>/dev/null; then
    fail "installing an empty folder succeeded"
  fi
  same_file "$work/given/LexiTrainer" "$XDG_DATA_HOME/LexiTrainer/LexiTrainer"
  ;;

cache_tools_failing)
  # The desktop's cache tools are optional: when they fail, installing and removing still succeed.
  mkdir "$work/bin"
  for tool in update-desktop-database gtk-update-icon-cache; do
    printf '#!/bin/sh\nexit 1\n' >"$work/bin/$tool"
    chmod +x "$work/bin/$tool"
  done
  export PATH="$work/bin:$PATH" XDG_DATA_HOME="$work/data"
  fake_build "$work/build" v1
  install_from "$work/build" >/dev/null 2>&1 || fail "install failed with the cache tools failing"
  [[ -f "$XDG_DATA_HOME/applications/lexitrainer.desktop" ]] || fail "no menu entry"
  "$source_dir/scripts/uninstall" >/dev/null 2>&1 || fail "uninstall failed with the cache tools failing"
  ;;

a_tool_of_the_same_name)
  # A lexitrainer-dict in ~/.local/bin that is not our link is the player's: neither script touches it.
  export XDG_DATA_HOME="$work/data"
  mkdir -p "$HOME/.local/bin"
  printf '#!/bin/sh\necho theirs\n' >"$HOME/.local/bin/lexitrainer-dict"
  cp "$HOME/.local/bin/lexitrainer-dict" "$work/theirs"
  fake_build "$work/build" v1
  output=$(install_from "$work/build")
  [[ "$output" == *"is not ours and stays"* ]] || fail "install does not say it left the tool: $output"
  same_file "$work/theirs" "$HOME/.local/bin/lexitrainer-dict"
  "$source_dir/scripts/uninstall" >/dev/null
  same_file "$work/theirs" "$HOME/.local/bin/lexitrainer-dict"
  # A link of ours from an earlier installation is replaced, and one elsewhere is left by uninstall.
  rm "$HOME/.local/bin/lexitrainer-dict"
  ln -s /elsewhere/lexitrainer-dict "$HOME/.local/bin/lexitrainer-dict"
  install_from "$work/build" >/dev/null
  [[ "$("$HOME/.local/bin/lexitrainer-dict")" == "dict v1" ]] || fail "the link was not renewed"
  ln -sfn /elsewhere/lexitrainer-dict "$HOME/.local/bin/lexitrainer-dict"
  "$source_dir/scripts/uninstall" >/dev/null
  [[ -L "$HOME/.local/bin/lexitrainer-dict" ]] || fail "uninstall removed a link it did not make"
  ;;

*)
  fail "unknown case $case_name"
  ;;
esac
