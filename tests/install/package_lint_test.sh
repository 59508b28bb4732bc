#!/usr/bin/env bash
# The Debian package as scripts/package makes it from this build (CPack's DEB
# generator), checked with the distribution's own tool: lintian reports no
# error and no warning. Also: the changelog's newest entry is this version.
# usage: package_lint_test.sh <build dir> [cpack]
set -euo pipefail
build="$(cd "$1" && pwd)"
cpack="${2:-cpack}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
fail() { echo "package_lint: $*" >&2; exit 1; }
command -v lintian >/dev/null || fail "lintian is not installed (scripts/install-deps installs it)"

(cd "$build" && "$cpack" -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack failed"; }
deb="$(find "$out" -maxdepth 1 -name '*.deb' | head -n 1)"
[ -n "$deb" ] || fail "cpack made no package"

version="$(dpkg-deb -f "$deb" Version)"
package="$(dpkg-deb -f "$deb" Package)"
newest="$(dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/doc/$package/changelog.gz" | gzip -dc | head -n 1)"
case "$newest" in
  "$package ($version) "*) ;;
  *) fail "the changelog's newest entry is not $package $version: $newest" ;;
esac

if ! lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$out/lintian.log" 2>&1; then
  cat "$out/lintian.log"
  fail "lintian found errors or warnings in $(basename "$deb")"
fi
cat "$out/lintian.log"
echo "package_lint: ok ($(basename "$deb"))"
