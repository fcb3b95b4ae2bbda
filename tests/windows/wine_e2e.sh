#!/usr/bin/env bash
# The Windows programs under Wine on a virtual display, against the Linux
# build (scripts/windows test runs it in a fresh WINEPREFIX):
#   wine_e2e.sh FOLDER SETUP.exe LINUX_BIN [SCREENSHOT_DIR]
# Each editor starts in an empty folder with a book on its command line and
# creates the working copy with CR LF; the English one renames a menu through
# real keys and saves the Linux edition's bytes with CR LF. menubook.exe
# gives the Linux tool's answers on the corpus. The installer installs
# silently, its Start-menu entry starts the editor in the user's menu folder,
# neither installer nor uninstaller touches it while it runs, and the
# uninstaller removes its files and keys.
set -u
folder=$1 setup=$2 linux=$3 shots=${4:-$(dirname "$1")}
corpus=$(cd "$(dirname "$0")/../fuzz/corpus" && pwd)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
# Every Windows process of the prefix ends with the run, passed or failed:
# one whose X window went away without a close request keeps running.
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# Bounded at 60 s, for a Wine that starts slowly on a busy machine.
wait_until() {
    local tries=0
    until "$@" 2>/dev/null; do
        tries=$((tries + 1))
        [ "$tries" -gt 600 ] && return 1
        sleep 0.1
    done
}
crlf() { perl -pe 's/\n/\r\n/' "$1"; }
mapped() { xwininfo -root -tree | grep -q " $1+[-0-9]*+[-0-9]* *+[-0-9]*+[-0-9]*\$"; }
# A window is mapped before it is drawn: a shot of the screen shows more
# than a few colours only once it is.
painted() { import -window root "$1" && [ "$(identify -format %k "$1")" -gt 16 ]; }
unmapped() { ! mapped "$1"; }

# run NAME EDIT PROGRAM...: starts the program in an empty folder with
# book.hex and keeps the working copy it creates; with EDIT=edit renames A-01
# through the keys and saves.
run() {
    local name=$1 edit=$2 dir=$work/$1 begun
    shift 2
    mkdir "$dir" && cp "$corpus/kitchen.hex" "$dir/book.hex"
    begun=$(date +%s%N)
    (cd "$dir" && exec "$@" book.hex) &
    pid=$!
    wait_until mapped 955x590 || fail "$name: no window"
    echo "$name: window mapped after $((($(date +%s%N) - begun) / 1000000)) ms"
    wait_until test -f "$dir/menufile.hex" || fail "$name: no working copy"
    cp "$dir/menufile.hex" "$dir/created.hex"
    if [ "$edit" = edit ]; then
        local window
        # Keys sent before the first paint may reach no window yet.
        wait_until painted "$dir.png" || fail "$name: window not drawn"
        window=$(xdotool search --onlyvisible --name '^Morvex Menu Editor' | head -n 1)
        xdotool windowfocus --sync "$window" key Return
        wait_until mapped 500x361 || fail "$name: no edit dialog"
        # No window manager hands the focus to the dialog.
        dialog=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) .* 500x361+.*/\1/p' | head -n 1)
        xdotool windowfocus --sync "$dialog" key ctrl+a type Tea
        xdotool key Return
        wait_until unmapped 500x361 || fail "$name: the edit dialog stays"
        # Wine may still be remapping its window as the dialog goes, and the
        # display then refuses the focus: asked again until it is given.
        wait_until xdotool windowfocus --sync "$window" key ctrl+s || fail "$name: no focus to save"
        wait_until grep -q '^Tea,#0001' "$dir/book.hex" || fail "$name: not saved"
    fi
    case $name in en | zh) wait_until painted "$shots/wine_$name.png" || fail "$name: window not drawn" ;; esac
    kill "$pid"
    wait "$pid" 2>/dev/null
}

QT_QPA_PLATFORM=xcb run linux edit "$linux/menu_editor_en"
run en edit wine "$folder/menu_editor_en.exe"
run zh start wine "$folder/menu_editor_zh.exe"
for edition in en zh; do
    crlf "$work/linux/created.hex" | cmp - "$work/$edition/created.hex" ||
        fail "$edition: the working copy created differs from Linux's with CR LF"
done
for file in book.hex menufile.hex; do
    crlf "$work/linux/$file" | cmp - "$work/en/$file" || fail "en: $file differs from Linux's with CR LF"
done
echo "editors: started, edited and saved as on Linux, with CR LF"

# menubook: the same findings and exit status, the same normalized bytes with CR LF.
mkdir "$work/corpus" "$work/linux-out" "$work/wine-out"
cp "$corpus"/*.hex "$work/corpus/"
cd "$work/corpus"
"$linux/menubook" check *.hex >"$work/check.linux"
echo "status $?" >>"$work/check.linux"
wine "$folder/menubook.exe" check *.hex | tr -d '\r' >"$work/check.wine"
echo "status ${PIPESTATUS[0]}" >>"$work/check.wine"
diff "$work/check.linux" "$work/check.wine" || fail "menubook check answers otherwise"
for book in *.hex; do
    "$linux/menubook" normalize "$book" -o "../linux-out/$book" || fail "linux normalize $book"
    wine "$folder/menubook.exe" normalize "$book" -o "..\\wine-out\\$book" || fail "normalize $book"
    crlf "../linux-out/$book" | cmp - "../wine-out/$book" || fail "normalize $book: other bytes"
done
wine "$folder/menubook.exe" new ..\\wine-out\\new.hex || fail "menubook new"
timeout 120 wine "$folder/menubook.exe" print ..\\wine-out\\new.hex -o ..\\wine-out\\sheet.pdf </dev/null &&
    pdftotext ../wine-out/sheet.pdf - | grep -q 'Menu book: new.hex' || fail "menubook print"
cd "$work"
echo "menubook: check, normalize and print as on Linux, with CR LF"

# The installer, its Start-menu entry and the uninstaller.
wine "$setup" /S || fail "installer"
unix() { winepath -u "$(wine cmd /c echo "$1" | tr -d '\r"')"; }
programs=$(unix '%LOCALAPPDATA%\Programs\Morvex Menu Editor')
menus=$(unix '%USERPROFILE%\Documents\Morvex Menus')
[ -x "$programs/menu_editor_en.exe" ] && [ -d "$menus" ] || fail "not installed"
keys=('HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\MorvexMenuEditor'
    'HKCU\Software\Classes\Morvex.MenuBook.en' 'HKCU\Software\Classes\Applications\menu_editor_zh.exe')
for key in "${keys[@]}"; do
    wine reg query "$key" >/dev/null || fail "no $key"
done
wine start /wait /unix "$(unix '%APPDATA%\Microsoft\Windows\Start Menu\Programs')/Morvex Menu Editor/Morvex Menu Editor.lnk" &
pid=$!
wait_until mapped 955x590 || fail "the installed editor shows no window"
wait_until test -f "$menus/menufile.hex" || fail "the installed editor works elsewhere"
# Neither the installer nor the uninstaller (_?= waits for it) touches a
# running editor's installation.
installed=$(find "$programs" -type f -exec md5sum {} + | sort)
wine "$setup" /S && fail "the installer ran beside a running editor"
# _?= takes the rest of the line, unquoted: the short name has no spaces.
wine "$programs/uninstall.exe" /S "_?=$(winepath -s "$(winepath -w "$programs")")" && fail "the uninstaller ran beside a running editor"
[ "$(find "$programs" -type f -exec md5sum {} + | sort)" = "$installed" ] || fail "changed beside a running editor"
wine taskkill /f /im menu_editor_en.exe >/dev/null
wait "$pid" 2>/dev/null
wine "$programs/uninstall.exe" /S || fail "uninstaller"
wait_until test ! -e "$programs" || fail "left behind: $(find "$programs")"
for key in "${keys[@]}"; do
    ! wine reg query "$key" >/dev/null 2>&1 || fail "left behind: $key"
done
echo "installer: installed, started from the Start menu, uninstalled"
