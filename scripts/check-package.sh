#!/usr/bin/env bash
# Builds the Debian package from a built tree (default build/) into a folder of its own and
# checks it as a distribution would: lintian with no error (its warnings are printed), the
# menu entry with desktop-file-validate, the metainfo with appstreamcli. Nothing is installed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
for tool in cpack lintian desktop-file-validate appstreamcli help2man dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "check-package: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; exit 1; }
deb="$(ls "$work"/harrowdex_*.deb)"
echo "Package: $(basename "$deb")"
dpkg-deb --info "$deb" | sed -n '/Depends:/p'
lintian --fail-on error --display-info --tag-display-limit 0 "$deb"
dpkg-deb -x "$deb" "$work/files"
for program in harrowdex harrowdex-cli; do
  [ -x "$work/files/usr/bin/$program" ] || { echo "check-package: /usr/bin/$program is missing" >&2; exit 1; }
  [ -s "$work/files/usr/share/man/man1/$program.1.gz" ] || { echo "check-package: no manual page of $program" >&2; exit 1; }
done
# The player's guide, where the window looks for it, and named from the documentation.
guide="$work/files/usr/share/harrowdex/guide"
[ -s "$guide/index.md" ] && ls "$guide"/pictures/*.png >/dev/null ||
  { echo "check-package: the player's guide is not in /usr/share/harrowdex/guide/" >&2; exit 1; }
[ "$(readlink "$work/files/usr/share/doc/harrowdex/guide")" = ../../harrowdex/guide ] ||
  { echo "check-package: /usr/share/doc/harrowdex/guide does not lead to the guide" >&2; exit 1; }
desktop-file-validate "$work"/files/usr/share/applications/*.desktop
appstreamcli validate --no-net "$work"/files/usr/share/metainfo/*.metainfo.xml
echo "The package passes lintian, desktop-file-validate and appstreamcli."
