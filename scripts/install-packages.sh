#!/usr/bin/env bash
# Installs those of the given Debian packages that are missing (through sudo when not
# root); does nothing when all are there.
set -euo pipefail
missing=()
for package in "$@"; do
  dpkg -s "$package" > /dev/null 2>&1 || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi
