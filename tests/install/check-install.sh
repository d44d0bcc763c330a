#!/usr/bin/env bash
# check-install.sh <build-dir> <configured-adb> <program-dir-under-prefix> <version> <licence>
# Installs the build twice (plain prefix; DESTDIR staging) and checks each tree.
set -uo pipefail

build=$1 adb=$2 program_dir=$3 version=$4 licence=$5
case $adb in *-NOTFOUND) adb= ;; esac   # no adb at configure time: no link expected
app_id=org.quoddle.Quoddle
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quoddle-install.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# Width and height of a PNG, from its IHDR chunk.
png_size() {
    local b
    b=($(od -An -tu1 -j16 -N8 "$1"))
    echo "$(( (b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3] ))x$(( (b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7] ))"
}

# check_tree <root> : the tree under <root> as installed.
check_tree() {
    local root=$1 share=$1/share program=$1/$program_dir/quoddle
    echo "-- checking $root"

    [ -f "$program" ] && [ -x "$program" ] || fail "no program at $program"
    [ "$(head -c4 "$program" 2>/dev/null | od -An -c | tr -d ' ')" = '177ELF' ] || fail "$program is not an executable"
    [ -L "$root/bin/quoddle" ] || fail "$root/bin/quoddle is not a link"
    [ "$(readlink -f "$root/bin/quoddle")" = "$(readlink -f "$program")" ] \
        || fail "bin/quoddle leads to '$(readlink -f "$root/bin/quoddle")', not to $program"
    case $(readlink "$root/bin/quoddle") in /*) fail "bin/quoddle is an absolute link: it breaks when the tree moves" ;; esac

    # The program runs the adb of its own folder: the link must sit beside it.
    if [ -n "$adb" ]; then
        [ -L "$root/$program_dir/adb" ] || fail "no adb link beside the program"
        [ "$(readlink -f "$root/$program_dir/adb")" = "$(readlink -f "$adb")" ] \
            || fail "adb link leads to '$(readlink -f "$root/$program_dir/adb")', not to the configured $adb"
    fi

    local desktop=$share/applications/$app_id.desktop metainfo=$share/metainfo/$app_id.metainfo.xml
    [ -f "$desktop" ] || fail "no desktop entry $desktop"
    [ -f "$metainfo" ] || fail "no metainfo $metainfo"
    local exec icon
    exec=$(sed -n 's/^Exec=//p' "$desktop" | head -1)
    icon=$(sed -n 's/^Icon=//p' "$desktop" | head -1)
    [ "${exec%% *}" = quoddle ] || fail "desktop Exec is '$exec', not the installed bin/quoddle"
    [ "$icon" = "$app_id" ] || fail "desktop Icon is '$icon', not $app_id"
    grep -q '^Name\[fr\]=\|^Comment\[fr\]=' "$desktop" || fail "desktop entry has no French texts"

    local id launchable
    id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
    launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
    [ "$id" = "$app_id" ] || fail "metainfo id is '$id', not $app_id"
    [ "$launchable" = "$app_id.desktop" ] || fail "metainfo launches '$launchable', not $app_id.desktop"
    local released
    released=$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' "$metainfo" | head -1)
    [ "$released" = "$version" ] || fail "metainfo's latest release is '$released', not the project's $version"
    grep -q '<project_license>Apache-2.0</project_license>' "$metainfo" || fail "metainfo names no Apache-2.0 licence"

    cmp -s "$licence" "$share/doc/quoddle/LICENSE" || fail "the licence is not installed as share/doc/quoddle/LICENSE"

    local size png
    for size in 16 32 48 64 128 256; do
        png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
        if [ ! -f "$png" ]; then fail "no icon $png"; continue; fi
        [ "$(png_size "$png")" = "${size}x${size}" ] || fail "$png is $(png_size "$png") pixels"
    done
    grep -q '<svg' "$share/icons/hicolor/scalable/apps/$icon.svg" 2>/dev/null || fail "no scalable icon"

    if command -v desktop-file-validate >/dev/null; then
        local remarks
        remarks=$(desktop-file-validate "$desktop" 2>&1)
        [ $? -eq 0 ] && [ -z "$remarks" ] || { echo "$remarks"; fail "desktop-file-validate has remarks on $desktop"; }
    else
        echo "desktop-file-validate not installed (desktop-file-utils): not run"
    fi
    if command -v appstreamcli >/dev/null; then
        # Every hint counts, the pedantic ones too, but for the capital of the
        # reverse-DNS name, which the installed file names carry.
        if ! appstreamcli validate --pedantic --no-net "$metainfo" >"$scratch/appstream.log" 2>&1 \
            || grep -E '^[EWIP]: ' "$scratch/appstream.log" | grep -qv 'cid-contains-uppercase-letter'; then
            cat "$scratch/appstream.log"
            fail "appstreamcli has remarks on $metainfo"
        fi
    else
        echo "appstreamcli not installed (appstream): not run"
    fi
}

cmake --install "$build" --prefix "$scratch/prefix" >"$scratch/install.log" 2>&1 \
    || { cat "$scratch/install.log"; fail "cmake --install --prefix failed"; }
check_tree "$scratch/prefix"

DESTDIR=$scratch/stage cmake --install "$build" --prefix /opt/quoddle >"$scratch/stage.log" 2>&1 \
    || { cat "$scratch/stage.log"; fail "cmake --install with DESTDIR failed"; }
check_tree "$scratch/stage/opt/quoddle"

[ "$failures" -eq 0 ] && echo "install layout: all good"
exit $(( failures > 0 ))
