# Shared by run.sh and test.sh: package installation and the private Wine prefixes.
# Sourced, not run.

TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# fonts-wine: Wine's own Tahoma, the font its "MS Shell Dlg" stands for (without it Wine
# falls back to a wider system font, DejaVu Sans on Debian), and Marlett.
BUILD_PACKAGES="cmake ninja-build g++ googletest libbenchmark-dev libicu-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 fonts-wine clang-format"
DISPLAY_PACKAGES="xvfb xdotool imagemagick x11-utils xauth"

# Installs whatever of the given Debian packages is missing; does nothing when all are there.
ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# wine_env PREFIX: exports the environment every Wine call of ours uses.
wine_env() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
    export LC_ALL=C.UTF-8
}

# wine_prefix PREFIX MODE: creates the prefix once. MODE "null" selects Wine's null display
# driver (window tests with no X server at all); "x11" keeps the normal driver.
wine_prefix() {
    local prefix="$1" mode="$2"
    wine_env "$prefix"
    if [ ! -f "$prefix/.memorion-ready" ]; then
        echo "Creating the Wine prefix $prefix (once, about 20 s)"
        mkdir -p "$prefix"
        timeout 300 wineboot -i >/dev/null 2>&1 || true
        timeout 120 wineserver -w || true
        # A crash must end the program, not wait for a click on a dialog nobody sees.
        wine_reg_add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
        if [ "$mode" = null ]; then
            wine_reg_add 'HKCU\Software\Wine\Drivers' /v Graphics /d null
        else
            # No window manager under Xvfb: let Wine draw the title bar and frame itself.
            wine_reg_add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
        fi
        timeout 60 wineserver -w || true
        touch "$prefix/.memorion-ready"
    fi
    # Debian's Wine does not look in its own font folder: Tahoma goes where Windows keeps its
    # fonts, so that dialogs get the font they are designed for, and Marlett with it, whose
    # glyphs are the caption buttons (without it they show as "0 1 r"). Also for older prefixes.
    local fonts="$prefix/drive_c/windows/Fonts" font
    [ -d "$fonts" ] || return 0
    for font in tahoma.ttf tahomabd.ttf marlett.ttf; do
        [ -f "$fonts/$font" ] && continue
        cp "/usr/share/wine/fonts/$font" "$fonts/" 2>/dev/null \
            || echo "fonts-wine is missing: no $font in the Wine prefix" >&2
    done
}

# wine_reg_add KEY ARGUMENTS...: `reg add KEY ARGUMENTS... /f` in the prefix, tried up to three
# times: a Wine process here, rarely, ends at its start, and a setting left unmade would
# quietly change the conditions of every test after it. Fails, saying so, when all three do.
wine_reg_add() {
    local attempt status
    for attempt in 1 2 3; do
        status=0
        timeout 60 wine reg add "$@" /f >/dev/null 2>&1 </dev/null || status=$?
        [ $status -eq 0 ] && return 0
        sleep 1
    done
    echo "wine reg add $1 $3: code $status three times" >&2
    return 1
}

# wine_dialog_font FACE: which font the prefix's processes use for "MS Shell Dlg" from their
# next start ("Tahoma" is the usual one).
wine_dialog_font() {
    wine_reg_add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
        /v 'MS Shell Dlg' /d "$1"
}

# wine_condition NAME: the conditions of another user's system for the Wine processes started
# from now on: "" the usual ones (96 DPI, Tahoma, code page 1252), "dpi144", "wide-font" (a
# wider font stands in for the dialog font, as where Tahoma is missing), "cp1250" or "cp932"
# (the ANSI code page, which Wine takes from the locale's name).
wine_condition() {
    local dpi=96 font=Tahoma
    export LC_ALL=C.UTF-8
    case "$1" in
    "") ;;
    dpi144) dpi=144 ;;
    wide-font) font="DejaVu Sans" ;;
    cp1250) export LC_ALL=cs_CZ.UTF-8 ;;
    cp932) export LC_ALL=ja_JP.UTF-8 ;;
    *) echo "unknown condition \"$1\"" >&2; return 1 ;;
    esac
    wine_reg_add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" &&
        wine_dialog_font "$font"
}
