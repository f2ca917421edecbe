#!/usr/bin/env bash
# The Debian package: cpack makes it with its dependencies worked out and
# lintian finds nothing to say; it holds the program, its animation, the
# menu entry, the icons and the software-centre description, each valid;
# the installed copy, started where it lies in a folder its user cannot
# write, shows its window, keeps its settings in the user's configuration
# folder, finds its animation and shows Qt's colour chooser in Italian.
#
# Needs BUILD_DIR (the configured and built build folder) besides what
# session.sh needs.
. "$(dirname "$0")/session.sh"

APP_ID=example.tickora.Tickora

# --- The package ----------------------------------------------------------
cpack -G DEB -B "$SESSION_DIR/cpack" --config "$BUILD_DIR/CPackConfig.cmake" >"$SESSION_DIR/cpack.log" 2>&1 \
    || { cat "$SESSION_DIR/cpack.log" >&2; fail "cpack -G DEB failed"; }
deb=$(find "$SESSION_DIR/cpack" -maxdepth 1 -name '*.deb' -print -quit)
[ -n "$deb" ] || fail "cpack made no .deb"
echo "package: $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tickora ] || fail "package name: $(field Package)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ -n "$(field Section)" ] || fail "no section"
[ "$(field Description | wc -l)" -gt 1 ] || fail "no long description"
depends=$(field Depends)
echo "Depends: $depends"
# Worked out by dpkg-shlibdeps from what the program links.
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
    grep -q "\\b$lib\\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

# No error and no warning from lintian (copyright, changelog, manual page).
lintian --fail-on error,warning "$deb" || fail "lintian finds faults in the package"

# --- What it installs -----------------------------------------------------
# Readable and traversable by everybody, as / is; writable by root only.
chmod 755 "$SESSION_DIR"
ROOT="$SESSION_DIR/root"
mkdir -m 755 "$ROOT"
dpkg -x "$deb" "$ROOT"
prefix="$ROOT/usr"
program="$prefix/bin/tickora"
desktop_entry="$prefix/share/applications/$APP_ID.desktop"
metainfo="$prefix/share/metainfo/$APP_ID.metainfo.xml"
[ -x "$program" ] || fail "no executable usr/bin/tickora"
# The About box reads its animation beside the program, else from here.
[ -s "$prefix/share/tickora/About.gif" ] || fail "no usr/share/tickora/About.gif"
[ -f "$desktop_entry" ] || fail "no desktop entry $APP_ID.desktop"
[ -f "$metainfo" ] || fail "no metainfo $APP_ID.metainfo.xml"
for size in 32 256; do
    icon="$prefix/share/icons/hicolor/${size}x$size/apps/tickora.png"
    [ -f "$icon" ] || fail "no ${size}x$size icon"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x$size" ] || fail "the ${size}x$size icon is $(identify -format '%wx%h' "$icon")"
done
find "$ROOT" -name Options.dat | grep -q . && fail "the package carries an Options.dat"

desktop-file-validate "$desktop_entry" || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
# The entry starts the installed program and names the installed icon; the
# metainfo points at the entry.
grep -qx 'Exec=tickora' "$desktop_entry" || fail "the entry does not run tickora"
grep -qx 'Icon=tickora' "$desktop_entry" || fail "the entry does not name the tickora icon"
grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" \
    || fail "the metainfo does not launch $APP_ID.desktop"

# --- The installed copy on the desktop ------------------------------------
start_session
# A user who cannot write the program's folder. Root writes everywhere, so
# as root the program runs as nobody; anyone else is kept out of the
# folder by its permissions.
USER_HOME="$SESSION_DIR/home"
mkdir -p "$USER_HOME/runtime"
runner=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody: "$USER_HOME"
    runner=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
else
    chmod -R a-w "$ROOT"
    # Writable again at the end, or the session folder could not be removed.
    trap 'chmod -R u+w "$ROOT"; stop_session' EXIT
fi
chmod 700 "$USER_HOME/runtime"
"${runner[@]}" test ! -w "$prefix/bin" || fail "the program's folder is writable by its user"

start_in_place HOME="$USER_HOME" XDG_CONFIG_HOME="$USER_HOME/config" XDG_RUNTIME_DIR="$USER_HOME/runtime" \
    "${runner[@]}" "$program"
echo "installed copy started: window $APP_WIN"

# The settings: the default file, in the user's configuration folder.
settings="$USER_HOME/config/Tickora/Tickora/Options.dat"
wait_for 50 test -s "$settings" || fail "no Options.dat in the configuration folder: $(find "$USER_HOME" -type f)"
options_with >"$SESSION_DIR/defaults.dat"
cmp "$settings" "$SESSION_DIR/defaults.dat" || fail "the Options.dat written is not the default file"
[ ! -e "$prefix/bin/Options.dat" ] || fail "Options.dat was written beside the installed program"

# The pointer on the bar keeps the clock shown (auto-hide is on).
geometry() { read -r x y w _ < <(window_geometry "$APP_WIN"); }
docked() { geometry && [ $((x + w)) -eq 1280 ]; }
geometry
xdotool mousemove 1277 $((y + 120))
wait_for 20 docked || fail "the clock did not come to the right edge: x $x"

# About: "?" (the third button of the bar, 14 px high at y 36 of the client
# area) opens the box, and its animation, found in the data folder, moves.
title="About Plomb Tickora 1.0"
about_open() { [ -n "$(window_named "$title")" ]; }
xdotool mousemove $((x + 4 + 9)) $((y + 4 + 43)) click 1
wait_for 30 about_open || fail "\"?\" did not open \"$title\""
read -r bx by _ _ < <(window_geometry "$(window_named "$title")")
# The animation: 197 x 153 px at 8, 56 px of the box's client area.
gif="197x153+$((bx + 8))+$((by + 56))"
grab "$gif" "$SESSION_DIR/first.png"
moving() {
    grab "$gif" "$SESSION_DIR/next.png"
    [ "$(pixels_differing "$SESSION_DIR/first.png" "$SESSION_DIR/next.png")" -gt 0 ]
}
wait_for 20 moving || fail "the installed About box shows no animation"
shot "about"
xdotool key alt+o
about_closed() { ! about_open; }
wait_for 20 about_closed || fail "Alt+O did not close the About box"

# Qt's own dialogs speak Italian whatever the system language (LANG is
# C.UTF-8 here): the colour box of the border opens "Seleziona colore".
geometry
xdotool mousemove $((x + 4 + 9)) $((y + 120)) click 3
options_open() { [ -n "$(window_named Opzioni)" ]; }
wait_for 30 options_open || fail "a right click on the bar did not open \"Opzioni\""
dialog=$(window_named Opzioni)
read -r dx dy _ _ < <(window_geometry "$dialog")
beside() { read -r dx dy _ _ < <(window_geometry "$dialog") && [ "$dx" -lt 1000 ]; }
wait_for 20 beside || fail "the options dialog did not open beside the clock"
# The border colour box: 13 x 14 px at 28, 232 px of the dialog.
xdotool mousemove $((dx + 34)) $((dy + 239)) click 1
chooser_open() { [ -n "$(window_named 'Seleziona colore')" ]; }
wait_for 30 chooser_open || fail "no colour chooser titled \"Seleziona colore\": $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')"
shot "chooser"
echo "PASS"
