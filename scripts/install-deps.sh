#!/usr/bin/env bash
# Installs what building, testing, benchmarking, fuzzing and packaging Quorvan need on Debian 12.
# Idempotent: when every package is already there it does nothing at all.
set -euo pipefail

packages=(
  cmake g++ make ninja-build
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  dateutils python3
  qt6-base-dev libgl-dev
  libical-dev pkg-config
  xvfb xdotool x11-utils
  desktop-file-utils appstream man-db groff-base dpkg-dev file bash-completion lintian
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg -s "$package" >/dev/null 2>&1; then
    # The compiler runtime (sanitizers, libFuzzer) also comes under its unversioned name.
    if [[ $package == libclang-rt-14-dev ]] && dpkg -s libclang-rt-dev >/dev/null 2>&1; then
      continue
    fi
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null 2>&1 || { echo "install-deps: need root (or sudo) to install ${missing[*]}" >&2; exit 1; }
  as_root=(sudo env DEBIAN_FRONTEND=noninteractive)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq >/dev/null
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "Installed: ${missing[*]}"
