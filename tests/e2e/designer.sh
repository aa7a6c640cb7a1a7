#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Qt Designer with the frame's plugin: the widget box has the frame's group, the property editor
# lists the frame's properties under their own names (the two Chinese ones once, nothing
# misread), an edit there is saved into the form, and the saved form loads through QUiLoader
# with the saved caption, icon and title-bar height.
#   designer.sh <plugin root (holding designer/)> <ui_probe>
set -euo pipefail

PLUGIN_ROOT=$1
PROBE=$2
DESIGNER=/usr/lib/qt6/bin/designer
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/harness.sh"

if [[ ! -x "$DESIGNER" ]]; then
    echo "Qt Designer is not installed (designer-qt6): skipped"
    exit 77
fi

harness_init
harness_start_display
harness_start_session_bus --atspi

ui() { "$HARNESS_PYTHON" "$HERE/designer_ui.py" --pid "$HARNESS_PROGRAM_PID" "$@"; }
# Sets x and y to the centre of a dock's cell: locate <seconds> <dock> <text> [<cells after it>].
locate() {
    local at
    at=$(ui --timeout "$1" centre "${@:2}") || harness_fail "no \"$3\" in the $2"
    read -r x y <<<"$at"
}
click_at() { xdotool mousemove "$1" "$2" click 1; }

forms="$HARNESS_DIR/forms"
mkdir -p "$forms" "$HARNESS_DIR/home"
cp "$HERE/../../assets/icons/quellor-32.png" "$forms/icon.png"
cat >"$forms/framed.ui" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Form4</class>
 <widget class="QDialog" name="Form4">
  <property name="geometry"><rect><x>0</x><y>0</y><width>420</width><height>300</height></rect></property>
  <widget class="Vantrel" name="Vantrel1">
   <property name="geometry"><rect><x>0</x><y>0</y><width>420</width><height>300</height></rect></property>
   <property name="Caption"><string>关于 Quellor</string></property>
   <property name="标题栏高度"><number>380</number></property>
   <property name="Icon"><pixmap>icon.png</pixmap></property>
  </widget>
 </widget>
 <customwidgets>
  <customwidget><class>Vantrel</class><extends>QWidget</extends><header>form_vantrel.h</header></customwidget>
 </customwidgets>
</ui>
EOF

# A fresh settings folder, and only this build's frame plugin besides Qt's own.
cd "$forms"
export HOME="$HARNESS_DIR/home" QT_PLUGIN_PATH="$PLUGIN_ROOT"
# Designer's own docks and menus are found by their English names, whatever the harness's language.
LANGUAGE= harness_start_program "$DESIGNER" framed.ui

locate 60 "Object Inspector" Vantrel1
window=$(xdotool search --name "Qt Designer" | head -n1)
xdotool windowmove --sync "$window" 0 0 windowsize --sync "$window" 1280 1000
sleep 1
locate 10 "Object Inspector" Vantrel1
click_at "$x" "$y"
locate 10 "Property Editor" Vantrel1 # its object name, once the frame is selected

widget_box=$(ui cells "Widget Box")
grep -qx "Quellor" <<<"$widget_box" || harness_fail "no Quellor group in the widget box"

# Fold Qt's own groups so that the frame's properties come into view.
for group in QObject QWidget; do
    locate 10 "Property Editor" "$group"
    xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
    sleep 0.5
done

properties=$(ui cells "Property Editor")
frame_group=$(echo "$properties" | sed -n '/^Vantrel$/,$p')
for name in ForeColor Enabled 标题栏高度 Icon Caption FontSize 银白色风格 BackColor; do
    [[ $(grep -cx "$name" <<<"$frame_group") == 1 ]] || harness_fail "property $name not listed once"
done
for name in TitleBarHeight SilverStyle "Dynamic Properties"; do
    if grep -qx "$name" <<<"$properties"; then harness_fail "the editor lists $name"; fi
done
# A Chinese name read as Latin-1 starts with one of these letters.
if grep -q '[äåæçèé]' <<<"$properties"; then harness_fail "the editor lists a misread name"; fi

locate 10 "Property Editor" 标题栏高度 1
((y < 1000)) || harness_fail "the bar height is out of view"
click_at "$x" "$y"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 40 450
xdotool key Return
locate 10 "Property Editor" 450

xdotool key ctrl+s
harness_until 10 grep -q '<number>450</number>' framed.ui || harness_fail "Designer did not save the form"
[[ $(grep -c 'name="标题栏高度"' framed.ui) == 1 ]] || harness_fail "the bar height is not stored under its own name"
grep -q '<pixmap>icon.png</pixmap>' framed.ui || harness_fail "the icon is not stored"
if grep -q 'TitleBarHeight\|SilverStyle' framed.ui; then harness_fail "a stand-in name was stored"; fi

probe=$("$PROBE" "$PLUGIN_ROOT/designer" framed.ui) || harness_fail "QUiLoader could not load the saved form"
harness_log "loaded: $(echo "$probe" | tr '\n' ' ')"
for line in "Class=Vantrel" "Caption=关于 Quellor" "TitleBarHeight=450" "Icon=32x32"; do
    grep -qx "$line" <<<"$probe" || harness_fail "the saved form's frame lacks $line"
done
harness_log "PASS"
