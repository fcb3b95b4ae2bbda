#!/usr/bin/env bash
# Installs the already-built tree into a scratch prefix and checks that a
# desktop user gets everything in the usual places; then packs the Debian
# package, unpacks it with dpkg -x and checks the same there.
#
# usage: check_package.sh <build-dir> <app-id> <icon size>...
set -euo pipefail

build=$1
app_id=$2
icon_sizes=("${@:3}")

scratch=$(mktemp -d)
editor_pid=
cleanup() {
    if [ -n "$editor_pid" ]; then
        kill "$editor_pid" 2>/dev/null || true
        wait "$editor_pid" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The programs link only the system's libraries: a search path of their own
# makes the loader try other folders first, and its empty entries stand for
# the folder the program runs in.
no_search_path() {
    local paths
    paths=$(readelf -d "$1" | grep -E '\((RUNPATH|RPATH)\)') || return 0
    fail "$1 has a library search path: $paths"
}

# Checks an installed tree; $1 is the folder that plays the prefix,
# $2 the prefix the desktop entries must name (differs for the package).
check_tree() {
    local root=$1 prefix=$2
    local program output status
    for program in menu_editor_en menu_editor_zh; do
        [ -x "$root/bin/$program" ] || fail "$root/bin/$program missing or not executable"
        # Usage and version need no display; arguments not understood end with status 2.
        output=$(
            unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
            "$root/bin/$program" --version && "$root/bin/$program" -h
        ) || true
        grep -qx "$program [0-9.]*" <<<"$output" && grep -qxF "Usage: $program [options] [BOOK.hex]" <<<"$output" ||
            fail "$program: --version and --help say: $output"
        local refused
        for refused in "--frobnicate" "a.hex b.hex" "-platform offscreen -x"; do
            status=0
            (
                unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
                # shellcheck disable=SC2086 # one argument set per string
                "$root/bin/$program" $refused >/dev/null 2>"$scratch/usage.txt"
            ) || status=$?
            [ $status = 2 ] && grep -q "^Usage: $program " "$scratch/usage.txt" ||
                fail "$program $refused: ends with status $status and $(cat "$scratch/usage.txt")"
        done
        [ -s "$root/share/man/man1/$program.1.gz" ] || fail "man page $program.1.gz missing"
        no_search_path "$root/bin/$program"
        if [ -s "$root/share/man/man1/$program.1.gz" ] &&
            ! gzip -dc "$root/share/man/man1/$program.1.gz" | grep -q "^\.TH ${program^^} 1 "; then
            fail "man page $program.1.gz has no section-1 title"
        fi
    done
    # Printing is a plugin the editors load on the first print, not a library they link.
    local plugins=("$root"/lib/morvex-menu-editor/plugins/morvex_sheet_print.so)
    [ -s "${plugins[0]}" ] || fail "print plugin lib/morvex-menu-editor/plugins/morvex_sheet_print.so missing"
    [ -s "${plugins[0]}" ] && no_search_path "${plugins[0]}"
    for program in menu_editor_en menu_editor_zh; do
        ! readelf -d "$root/bin/$program" | grep -q 'libQt6PrintSupport' ||
            fail "$program links Qt PrintSupport"
    done
    [ -x "$root/bin/menubook" ] || fail "$root/bin/menubook missing or not executable"
    [ -s "$root/share/man/man1/menubook.1.gz" ] || fail "man page menubook.1.gz missing"
    [ -x "$root/libexec/morvex-menu-editor/menu-editor-start" ] || fail "launcher missing"
    grep -q "^Copyright: " "$root/share/doc/morvex-menu-editor/copyright" 2>/dev/null ||
        fail "copyright file missing"

    local size icon
    for size in "${icon_sizes[@]}"; do
        icon="$root/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
        if [ ! -s "$icon" ]; then
            fail "icon ${size}x${size} missing"
        elif [ "$(identify -format '%wx%h' "$icon")" != "${size}x${size}" ]; then
            fail "icon ${size}x${size} has the size $(identify -format '%wx%h' "$icon")"
        fi
    done

    local entry edition
    for edition in en zh; do
        entry="$root/share/applications/$app_id.desktop"
        [ "$edition" = zh ] && entry="$root/share/applications/$app_id.Chinese.desktop"
        if [ ! -s "$entry" ]; then
            fail "desktop entry $(basename "$entry") missing"
            continue
        fi
        desktop-file-validate "$entry" || fail "desktop-file-validate rejects $(basename "$entry")"
        grep -qxF "Exec=$prefix/libexec/morvex-menu-editor/menu-editor-start menu_editor_$edition %f" "$entry" ||
            fail "$(basename "$entry") does not start menu_editor_$edition through the launcher under $prefix"
        grep -qxF "MimeType=application/x-morvex-menubook;" "$entry" || fail "$(basename "$entry"): MimeType"
        grep -qxF "TryExec=$prefix/bin/menu_editor_$edition" "$entry" || fail "$(basename "$entry"): TryExec"
        grep -qxF "Icon=$app_id" "$entry" || fail "$(basename "$entry"): Icon"
    done

    xmllint --noout "$root/share/mime/packages/$app_id.xml" || fail "MIME type file missing or not XML"

    local metainfo="$root/share/metainfo/$app_id.metainfo.xml"
    if [ -s "$metainfo" ]; then
        appstreamcli validate --no-net "$metainfo" >"$scratch/appstream.log" 2>&1 ||
            { cat "$scratch/appstream.log" >&2; fail "appstreamcli rejects the metainfo"; }
    else
        fail "metainfo missing"
    fi
}

# Starts the entry's Exec line the way a desktop does (no field codes in
# it) with a fresh home, and waits for the editor to write its working
# copy in the expected folder.
check_start_folder() {
    local entry=$1 home=$2 expected=$3
    local exec_line
    local -a more
    exec_line=$(sed -n 's/^Exec=//p' "$entry")
    local -a command
    if [[ $exec_line =~ ^\"([^\"]*)\"[[:space:]]+(.*)$ ]]; then
        command=("${BASH_REMATCH[1]}")
        read -r -a more <<<"${BASH_REMATCH[2]}"
        command+=("${more[@]}")
    else
        read -r -a command <<<"$exec_line"
    fi
    # Started from the menu, there is no file for %f.
    [ "${command[-1]}" = %f ] && unset 'command[-1]'
    mkdir -p "$home"
    env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 \
        "${command[@]}" >"$scratch/editor.log" 2>&1 &
    editor_pid=$!
    local tries=0
    while [ ! -s "$expected/menufile.hex" ] && [ $tries -lt 400 ] && kill -0 "$editor_pid" 2>/dev/null; do
        sleep 0.05
        tries=$((tries + 1))
    done
    if [ -s "$expected/menufile.hex" ]; then
        kill -0 "$editor_pid" 2>/dev/null || fail "$(basename "$entry"): the editor exited at once"
    else
        cat "$scratch/editor.log" >&2
        fail "$(basename "$entry") did not start the editor in $expected"
    fi
    kill "$editor_pid" 2>/dev/null || true
    wait "$editor_pid" 2>/dev/null || true
    editor_pid=
}

echo "== cmake --install into a scratch prefix"
prefix="$scratch/install"
"${CMAKE:-cmake}" --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }
no_search_path "$build/bin/menu_editor_en"
no_search_path "$build/bin/menu_editor_zh"
check_tree "$prefix" "$prefix"

echo "== desktop entries start the editor in the menu folder"
# No user-dirs.dirs: the documents folder is ~/Documents.
check_start_folder "$prefix/share/applications/$app_id.desktop" \
    "$scratch/home1" "$scratch/home1/Documents/Morvex Menus"
# A localised documents folder from user-dirs.dirs is followed.
mkdir -p "$scratch/home2/.config"
printf '# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR="$HOME/Dokumente"\n' \
    >"$scratch/home2/.config/user-dirs.dirs"
check_start_folder "$prefix/share/applications/$app_id.Chinese.desktop" \
    "$scratch/home2" "$scratch/home2/Dokumente/Morvex Menus"

echo "== the launcher hands on a book by its full path, and no empty name"
fake="$scratch/fake"
mkdir -p "$fake/libexec/morvex-menu-editor" "$fake/bin"
cp "$prefix/libexec/morvex-menu-editor/menu-editor-start" "$fake/libexec/morvex-menu-editor/"
printf '#!/bin/sh\nprintf "[%%s]" "$@"\n' >"$fake/bin/menu_editor_en"
chmod +x "$fake/bin/menu_editor_en"
handed=$(cd "$scratch" && HOME="$scratch/home3" \
    "$fake/libexec/morvex-menu-editor/menu-editor-start" menu_editor_en "" book.hex)
[ "$handed" = "[$scratch/book.hex]" ] || fail "the launcher hands on $handed"

echo "== menu books, and only they, have their own file type"
# Asked the way file managers ask: through GIO (GNOME, Xfce) and through
# File::MimeInfo (xdg-open elsewhere), whose rules differ.
mkdir -p "$scratch/mime/share/mime/packages" "$scratch/files"
cp "$prefix/share/mime/packages/$app_id.xml" "$scratch/mime/share/mime/packages/"
update-mime-database "$scratch/mime/share/mime" || fail "update-mime-database rejects the MIME type file"
cp "$scratch/home1/Documents/Morvex Menus/menufile.hex" "$scratch/files/book.hex"
{ printf '\357\273\277'; cat "$scratch/files/book.hex"; } >"$scratch/files/spreadsheet.hex"
printf ':10010000214601360121470136007EFE09D2190140\n:00000001FF\n' >"$scratch/files/firmware.hex"
for desktop in GNOME X-Generic; do
    for file in book spreadsheet firmware; do
        type=$(XDG_DATA_HOME="$scratch/mime/share" XDG_DATA_DIRS="$scratch/mime/share:/usr/share" \
            XDG_CURRENT_DESKTOP=$desktop xdg-mime query filetype "$scratch/files/$file.hex")
        if [ "$file" = firmware ]; then
            [ "$type" != application/x-morvex-menubook ] || fail "$desktop: $file.hex taken for a menu book"
        else
            [ "$type" = application/x-morvex-menubook ] || fail "$desktop: $file.hex is $type"
        fi
    done
done

echo "== cpack -G DEB, dpkg -x"
(cd "$build" && "${CPACK:-cpack}" -G DEB -B "$scratch/package" >"$scratch/cpack.log" 2>&1) ||
    { cat "$scratch/cpack.log" >&2; echo "FAIL: cpack" >&2; exit 1; }
shopt -s nullglob
debs=("$scratch"/package/*.deb)
if [ ${#debs[@]} -ne 1 ]; then
    fail "expected one .deb, found ${#debs[@]}"
else
    deb=${debs[0]}
    depends=$(dpkg-deb -f "$deb" Depends)
    for needed in libqt6core6 libqt6gui6 libqt6widgets6; do
        grep -q "$needed" <<<"$depends" || fail "package does not depend on $needed: $depends"
    done
    grep -q fonts-noto-cjk <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "package does not recommend a CJK font"
    dpkg -x "$deb" "$scratch/root"
    check_tree "$scratch/root/usr" /usr
    if file "$scratch/root/usr/bin/menu_editor_en" | grep -q 'not stripped'; then
        fail "packaged programs are not stripped"
    fi
    if command -v lintian >/dev/null; then
        lintian --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1 ||
            { cat "$scratch/lintian.log" >&2; fail "lintian finds errors or warnings"; }
    else
        echo "lintian is not installed: the package is not linted"
    fi
fi

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all packaging checks passed"
