# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by scripts/setup and scripts/fuzz: install_missing installs those of the Debian packages named
# on its command line and in packages.txt that are not installed yet, with sudo unless run as root.

install_missing() {
  local pkg status sudo="" missing=()
  while read -r pkg; do
    [[ -z "$pkg" || "$pkg" == \#* ]] && continue
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
  done < <(cat packages.txt; echo; printf '%s\n' "$@")
  ((${#missing[@]})) || return 0
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}
