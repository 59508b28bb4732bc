#!/usr/bin/env bash
# Installs the build into a throw-away prefix and checks that the tree holds
# what the desktop and the package need, and that its parts name each other:
# the desktop entry's program and icon, the metainfo's launchable, the file
# type the desktop entry opens (recognised by name and by contents in the
# MIME database built from the tree), a man page per program, and the same
# data files the build copies beside the programs. Then runs the installed
# programs: commands that only read leave the user's home as it was.
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
  [ -s "share/man/man1/$program.1.gz" ] || fail "no man page for $program"
done
for file in share/bash-completion/completions/vkx520ctl share/doc/vkx520setup/README.md \
            share/doc/vkx520setup/copyright share/doc/vkx520setup/changelog.gz; do
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

# The configuration files' type: the desktop entry opens it, its icon is
# there, and the database update-mime-database builds from the tree knows a
# file by its name and, named otherwise, by its first bytes.
type="$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$desktop")"
[ -n "$type" ] && grep -q "<mime-type type=\"$type\">" "share/mime/packages/$id.xml" || fail "no MIME type for MimeType=$type"
for size in 16 22 24 32 48 64 128 256; do
  [ -s "share/icons/hicolor/${size}x${size}/mimetypes/${type/\//-}.png" ] || fail "no $size pixel icon for $type"
done
XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime"
samples="$(mktemp -d)"
trap 'rm -rf "$prefix" "$samples"' EXIT
printf 'V520\002\000\001\000binary' > "$samples/studio.vkcfg"
cp "$samples/studio.vkcfg" "$samples/studio-copy"
printf 'V520' > "$samples/short.VKCFG"
for sample in studio.vkcfg studio-copy short.VKCFG; do
  found="$(env XDG_DATA_HOME="$samples/none" XDG_DATA_DIRS="$prefix/share" \
           gio info -a standard::content-type "$samples/$sample" | sed -n 's/^ *standard::content-type: //p')"
  [ "$found" = "$type" ] || fail "$sample is taken for \"$found\", not $type"
done

if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
if command -v appstreamcli >/dev/null; then appstreamcli validate --no-net "$metainfo" >/dev/null || \
  { appstreamcli validate --no-net "$metainfo"; fail "appstreamcli validate failed"; }; fi
# The installed programs, run as root (what `sudo` gives users not yet in
# dialout) and as an unprivileged user, each with a fresh home: they find the
# shipped skin and write nothing under the prefix, even with a settings file
# that an earlier root run left beside the executables.
chmod 755 "$prefix"
home_root="$(mktemp -d)"
trap 'rm -rf "$prefix" "$samples" "$home_root"' EXIT
printf '[Language]\r\n' > bin/VKX520Setup.ini
cp "$src/fuzz/corpus/config_file/v2.vkcfg" "$home_root/sample.vkcfg"
chmod 644 "$home_root/sample.vkcfg"
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
  # Commands that only read create no settings file and no folder.
  local ctl="$prefix/bin/vkx520ctl" sample="$home_root/sample.vkcfg"
  run_in_tree "$home" "$user" "$ctl" --help | grep "settings  $home/.config/vkx520setup/VKX520Setup.ini" >/dev/null ||
    fail "vkx520ctl --help as $label does not name the settings file in the home"
  for args in "--version" "show --help" "show $sample" "diff $sample $sample" "export $sample" "labels export $sample" "ports" "skin-check"; do
    # shellcheck disable=SC2086  # the words of args are the arguments
    run_in_tree "$home" "$user" "$ctl" $args >/dev/null || fail "vkx520ctl $args as $label"
    left="$(find "$home" -mindepth 1 ! -path "$home/.run" | head -n 3)"
    [ -z "$left" ] || fail "vkx520ctl $args as $label wrote $left"
  done
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
