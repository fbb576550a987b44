#!/usr/bin/env bash
# Installs those of the named Debian packages that are not installed yet (with apt-get,
# through sudo when not run as root), so a prepared machine goes on at once.
#     install-missing.sh PACKAGE...
set -euo pipefail

# scripts/test.sh builds in several trees at once, each installing what it needs: one apt-get
# at a time, and what another one installed meanwhile is not asked for again.
exec 9>"${TMPDIR:-/tmp}/ondulix-k-install.lock"
flock 9
missing=()
for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
