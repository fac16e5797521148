# Sourced by run.sh and test.sh: a private Wine prefix under build/, a display, and one persistent
# wineserver for the whole run.
#   orvo_wine_prefix [managed]
#                         create/update the prefix (fonts for the Chinese interface); its windows
#                         are unmanaged unless "managed" is given (see below)
#   orvo_start_display    start Xvfb on a free display unless ORVO_USE_DISPLAY=1 and DISPLAY is set
#   orvo_start_wineserver keep one wineserver alive until orvo_wine_stop
#   orvo_wine_stop        stop what the two above started
#   orvo_pictures_env     the documentation pictures' own prefix and the program's language

ORVO_ROOT=${ORVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="${WINEPREFIX:-$ORVO_ROOT/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs when the prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# A LOGFONTW (92 bytes) as the comma-separated hex of a .reg file: height, weight, face.
orvo_logfont_hex() {
    local height=$1 weight=$2 face=$3
    {
        printf '%08x' $(( height & 0xffffffff )) | sed 's/\(..\)\(..\)\(..\)\(..\)/\4\3\2\1/'
        printf '000000000000000000000000'
        printf '%08x' "$weight" | sed 's/\(..\)\(..\)\(..\)\(..\)/\4\3\2\1/'
        printf '0000000000000000'
        printf '%s' "$face" | iconv -t UTF-16LE | od -An -v -tx1 | tr -d ' \n'
        local n
        for ((n = ${#face}; n < 32; n++)); do printf '0000'; done
    } | sed 's/../&,/g; s/,$//'
}

orvo_wine_prefix() {
    local mode=${1:-unmanaged}
    local stamp="$WINEPREFIX/.orvo-prefix-v9-$mode"
    [ -f "$stamp" ] && return 0
    rm -f "$WINEPREFIX"/.orvo-prefix-*
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # Wine finds its own fonts (Marlett for the caption buttons, Tahoma, MS Sans Serif) and the
    # Chinese ones in the prefix's font folder; a prefix made before they were installed lacks them.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" f
    mkdir -p "$fonts"
    for f in /usr/share/wine/fonts/* /usr/share/fonts/truetype/arphic/uming.ttc \
             /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc; do
        [ -f "$f" ] && ln -sf "$f" "$fonts/$(basename "$f")"
    done
    # "MS Sans Serif" as a bitmap font (sserif*.fon) has no Chinese glyphs and bitmap fonts take
    # none from the font links: Chinese text in it (the About dialog's title) showed boxes. Without
    # the bitmap family the name is replaced by Tahoma (below), whose links draw the Chinese.
    rm -f "$fonts"/sserif*.fon
    # Small Chinese text needs a face with hand-made bitmaps: WenQuanYi's outlines are drawn
    # without anti-aliasing at 9 to 16 pixels (their gasp table says so) and lose strokes. The
    # forms' 宋体 (SimSun) becomes WenQuanYi Zen Hei Sharp, whose bitmaps cover 12 to 16 pixels;
    # the dialog and menu fonts (11 pixels) take their Chinese glyphs from AR PL UMing, whose
    # bitmaps start at 11, then from WenQuanYi Zen Hei.
    local reg="$WINEPREFIX/orvo-fonts.reg"
    local ming='WenQuanYi Zen Hei Sharp'
    local links
    links=$(printf 'uming.ttc,AR PL UMing CN\0wqy-zenhei.ttc,WenQuanYi Zen Hei\0\0' | iconv -t UTF-16LE |
        od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//;s/,$//')
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        printf '"宋体"="%s"\r\n"SimSun"="%s"\r\n"新宋体"="%s"\r\n"NSimSun"="%s"\r\n' "$ming" "$ming" "$ming" "$ming"
        printf '"MS Sans Serif"="Tahoma"\r\n\r\n'
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\r\n'
        printf '"MS Sans Serif"=-\r\n\r\n'
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
        for f in "Tahoma" "Tahoma Bold" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "MS Sans Serif" "Segoe UI"; do
            printf '"%s"=hex(7):%s\r\n' "$f" "$links"
        done
        printf '\r\n'
        # The system's caption, menu, status and message fonts as Tahoma at 11 pixels whatever the
        # locale: in a Chinese locale Wine leaves their face empty and draws the dialogs' Chinese
        # text from WenQuanYi's outlines at 11 pixels, which lose strokes; through Tahoma the text
        # takes the links above (UMing's bitmaps).
        printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n'
        for f in "CaptionFont 700" "SmCaptionFont 700" "MenuFont 400" "StatusFont 400" "MessageFont 400" "IconFont 400"; do
            set -- $f
            printf '"%s"=hex:%s\r\n' "$1" "$(orvo_logfont_hex -11 "$2" Tahoma)"
        done
        printf '\r\n'
        # Wine waits up to 2 s for a window manager at every managed window it hides (each message
        # box answered, each modal form closed), and on our own Xvfb there is none: there every
        # window is unmanaged. A prefix for the user's display (run.sh) keeps them managed.
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n'
        if [ "$mode" = managed ]; then printf '"Managed"=-\r\n\r\n'; else printf '"Managed"="N"\r\n\r\n'; fi
    } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
    wine regedit /S "$reg" >/dev/null 2>&1
    wineserver -w
    touch "$stamp"
}

# The pictures are taken in a prefix of their own (made like the tests', in the program's language):
# the message boxes' buttons and the common dialogs in Chinese.
orvo_pictures_env() {
    "$ORVO_ROOT/scripts/setup.sh" imagemagick >&2
    export WINEPREFIX="$ORVO_ROOT/build/wineprefix-shots"
    LANG=$("$ORVO_ROOT/scripts/chinese-locale.sh")
    export LANG
    unset LC_ALL LC_MESSAGES
    orvo_wine_prefix
}

ORVO_XVFB_PID=""
orvo_start_display() {
    if [ "${ORVO_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
        return 0
    fi
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    ORVO_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.1
    done
    echo "wine-env: Xvfb did not start on $DISPLAY" >&2
    return 1
}

orvo_start_wineserver() {
    wineserver -p >/dev/null 2>&1 || true
    # Start Wine's own background processes (services, the desktop window) now, detached from our
    # output: a process started later would inherit the test's pipes and keep ctest waiting.
    wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
}

orvo_wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$ORVO_XVFB_PID" ]; then
        kill "$ORVO_XVFB_PID" 2>/dev/null || true
        wait "$ORVO_XVFB_PID" 2>/dev/null || true
        ORVO_XVFB_PID=""
    fi
}
