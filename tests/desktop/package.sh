# Faults caught: a Debian package with wrong fields, missing dependencies or files, an invalid menu entry or
# software-centre description; an installed copy that cannot start where its user cannot write, keeps its
# settings in the wrong place, misses its animation or shows Qt's dialogs in English.

scenario_package() {
    local app_id=example.tickora.Tickora deb root prefix lib size
    cpack -G DEB -B "$SESSION_DIR/cpack" --config "$BUILD_DIR/CPackConfig.cmake" >"$SESSION_DIR/cpack.log" 2>&1 \
        || { cat "$SESSION_DIR/cpack.log" >&2; fail "cpack -G DEB failed"; }
    deb=$(find "$SESSION_DIR/cpack" -maxdepth 1 -name '*.deb' -print -quit)
    [ -n "$deb" ] || fail "cpack made no .deb"
    field() { dpkg-deb -f "$deb" "$1"; }
    [ "$(field Package)" = tickora ] || fail "package name: $(field Package)"
    [ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture: $(field Architecture)"
    [ -n "$(field Maintainer)" ] && [ -n "$(field Section)" ] || fail "no maintainer or section"
    [ "$(field Description | wc -l)" -gt 1 ] || fail "no long description"
    for lib in libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
        grep -q "\\b$lib\\b" <<<"$(field Depends)" || fail "Depends lacks $lib: $(field Depends)"
    done
    # Copyright, changelog and manual page: lintian has nothing to say.
    lintian --fail-on error,warning "$deb" >&2 || fail "lintian finds faults in the package"

    # Readable by everybody, as / is; writable by root only.
    chmod 755 "$SESSION_DIR"
    root=$(mktemp -d "$SESSION_DIR/root.XXXXXX")
    chmod 755 "$root"
    dpkg -x "$deb" "$root"
    prefix="$root/usr"
    [ -x "$prefix/bin/tickora" ] || fail "no executable usr/bin/tickora"
    [ -s "$prefix/share/tickora/About.gif" ] || fail "no usr/share/tickora/About.gif"
    for size in 32 256; do
        [ "$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x$size/apps/tickora.png")" = "${size}x$size" ] \
            || fail "no ${size}x$size icon"
    done
    ! find "$root" -name Options.dat | grep -q . || fail "the package carries an Options.dat"
    desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "the desktop entry is invalid"
    appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" || fail "the metainfo is invalid"
    grep -qx 'Exec=tickora' "$prefix/share/applications/$app_id.desktop" || fail "the entry does not run tickora"
    grep -qx 'Icon=tickora' "$prefix/share/applications/$app_id.desktop" || fail "the entry does not name the icon"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$prefix/share/metainfo/$app_id.metainfo.xml" \
        || fail "the metainfo does not launch $app_id.desktop"

    # The installed copy, run by nobody, who cannot write its folder.
    local home=$SESSION_DIR/home
    mkdir -p "$home/runtime"
    chown -R nobody: "$home"
    chmod 700 "$home/runtime"
    env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" \
        setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups "$prefix/bin/tickora" >>"$home.log" 2>&1 &
    await_clock "$home.log"
    wait_for 50 test -s "$home/config/Tickora/Tickora/Options.dat" || fail "no Options.dat in the configuration folder"
    cmp <(options_with) "$home/config/Tickora/Tickora/Options.dat" || fail "the Options.dat written is not the default"
    [ ! -e "$prefix/bin/Options.dat" ] || fail "Options.dat was written beside the installed program"
    show_clock
    # "?": the animation, found in the data folder, shows and moves.
    xdotool mousemove $((x + 4 + 9)) $((y + 4 + 43)) click 1
    wait_for 30 is_open "About Plomb Tickora 1.0" || fail "\"?\" did not open the About box"
    geometry "$(window_named "About Plomb Tickora 1.0")"
    local gif="197x153+$((x + 8))+$((y + 56))"
    grab "$gif" "$SESSION_DIR/first.png"
    [ "$(identify -format '%k' "$SESSION_DIR/first.png")" -gt 4 ] || fail "the About box's picture is empty"
    moved() { grab "$gif" "$SESSION_DIR/next.png" && [ "$(pixels_differing "$SESSION_DIR/first.png" "$SESSION_DIR/next.png")" -gt 0 ]; }
    wait_for 20 moved || fail "the About box's picture does not move"
    xdotool key alt+o
    wait_for 20 is_closed "About Plomb Tickora 1.0" || fail "Alt+O did not close the About box"
    # Qt's own dialogs speak Italian whatever LANG says: the border colour box opens "Seleziona colore".
    show_clock
    open_options
    click_in_options 34 239
    wait_for 30 is_open 'Seleziona colore' || fail "no colour chooser titled \"Seleziona colore\""
}
