#!/usr/bin/env bash
# Installs the build into a throw-away prefix and checks that the tree holds
# what the desktop and the package need, and that its parts name each other:
# the desktop entry's program and icon, the metainfo's launchable, a man page
# per program, and the same data files the build copies beside the programs.
# usage: install_tree_test.sh <build dir> <source dir> [cmake]
set -euo pipefail
build="$(cd "$1" && pwd)"
src="$(cd "$2" && pwd)"
cmake="${3:-cmake}"
id=org.vkx520.VKX520Setup
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install_tree: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"

for program in VKX520Setup vkx520ctl vkx520sim; do
  [ -x "bin/$program" ] || fail "bin/$program is missing"
  [ -s "share/man/man1/$program.1" ] || fail "no man page for $program"
done
for file in share/bash-completion/completions/vkx520ctl share/doc/vkx520setup/README.md \
            share/doc/vkx520setup/LICENSE; do
  [ -s "$file" ] || fail "$file is missing"
done

# The data folder holds exactly the shipped skin and language files.
diff <( (cd "$src/res/skin" && find . -type f; cd "$src/res/lang" && find . -type f) | sort) \
     <(cd share/vkx520setup && find . -type f | sort) || fail "share/vkx520setup differs from res/skin + res/lang"

desktop="share/applications/$id.desktop"
metainfo="share/metainfo/$id.metainfo.xml"
[ -s "$desktop" ] && [ -s "$metainfo" ] || fail "desktop entry or metainfo missing"
exec_line="$(sed -n 's/^Exec=//p' "$desktop")"
[ -x "bin/${exec_line%% *}" ] || fail "Exec=$exec_line names no installed program"
icon="$(sed -n 's/^Icon=//p' "$desktop")"
for size in 16 22 24 32 48 64 128 256; do
  png="share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [ -s "$png" ] || fail "$png is missing"
  # The PNG header's width and height fields (big-endian, bytes 16..23).
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w $h" = "$size $size" ] || fail "$png is ${w}x$h"
done
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo launches no $id.desktop"

if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
if command -v appstreamcli >/dev/null; then appstreamcli validate --no-net "$metainfo" >/dev/null || \
  { appstreamcli validate --no-net "$metainfo"; fail "appstreamcli validate failed"; }; fi
# The installed programs, run as root (what `sudo` gives users not yet in
# dialout) and as an unprivileged user, each with a fresh home: they find the
# shipped skin and write nothing under the prefix, even with a settings file
# that an earlier root run left beside the executables.
chmod 755 "$prefix"
home_root="$(mktemp -d)"
trap 'rm -rf "$prefix" "$home_root"' EXIT
printf '[Language]\r\n' > bin/VKX520Setup.ini
stamp="$home_root/.stamp"
touch "$stamp"
sleep 1
run_in_tree() {  # <home> <user or ""> program args...
  local home="$1" user="$2"; shift 2
  local env_cmd=(env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen
                 XDG_RUNTIME_DIR="$home/.run" VKX520_BACKUP_DIR=)
  if [ -n "$user" ]; then runuser -u "$user" -- "${env_cmd[@]}" "$@"; else "${env_cmd[@]}" "$@"; fi
}
check_as() {  # <label> <user or "">
  local label="$1" user="$2" home
  home="$(mktemp -d "$home_root/home.XXXXXX")"
  mkdir -m 700 "$home/.run"
  [ -n "$user" ] && chown -R "$user" "$home"
  run_in_tree "$home" "$user" "$prefix/bin/vkx520ctl" skin-check >/dev/null || fail "skin-check as $label"
  run_in_tree "$home" "$user" env VKX_EXIT_AFTER_FIRST_PAINT=1 "$prefix/bin/VKX520Setup" >/dev/null ||
    fail "VKX520Setup as $label did not start"
  [ -f "$home/.config/vkx520setup/VKX520Setup.ini" ] || fail "VKX520Setup as $label kept no settings in its home"
}
if [ "$(id -u)" -eq 0 ]; then
  check_as root ""
  chmod 755 "$home_root"
  check_as nobody nobody
else
  check_as "$(id -un)" ""
fi
written="$(find "$prefix" -newer "$stamp" 2>/dev/null | head -n 5)"
[ -z "$written" ] || fail "written under the prefix: $written"
echo "install_tree: ok"
