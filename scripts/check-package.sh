#!/usr/bin/env bash
# Checks the Debian package built by scripts/package.sh: its files and their places,
# its control data, lintian, the desktop entry, AppStream data and manual page it
# ships, and that the packaged program, unpacked into a scratch folder, starts on the
# offscreen platform and offers the packaged sample in its first dialog.
# Prints one line per check and "package checks: N passed, M failed"; fails if any did.
# Usage: scripts/check-package.sh [package.deb] [start probe .so]
set -euo pipefail
cd "$(dirname "$0")/.."

deb=${1:-$(ls build/release/vostrel-calculator_*.deb)}
probe=${2:-build/default/tests/package/libvostrel_start_probe.so}
[ -f "$deb" ] || { echo "no package at '$deb': run scripts/package.sh first" >&2; exit 1; }
[ -f "$probe" ] || { echo "no start probe at '$probe': build the default preset first" >&2; exit 1; }
probe=$(realpath "$probe")

# Lintian errors and warnings that follow from the project having no licence yet:
# without one there is nothing to write into /usr/share/doc/<package>/copyright.
allowed_lintian_tags=(no-copyright-file)

version=$(sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p' CMakeLists.txt | head -n 1)
expected_files="usr/bin/vostrel-calculator
usr/share/applications/vostrel-calculator.desktop
usr/share/doc/vostrel-calculator/changelog.gz
usr/share/icons/hicolor/128x128/apps/vostrel-calculator.png
usr/share/icons/hicolor/256x256/apps/vostrel-calculator.png
usr/share/icons/hicolor/48x48/apps/vostrel-calculator.png
usr/share/icons/hicolor/64x64/apps/vostrel-calculator.png
usr/share/icons/hicolor/scalable/apps/vostrel-calculator.svg
usr/share/man/man1/vostrel-calculator.1.gz
usr/share/metainfo/org.example.vostrel_calculator.metainfo.xml
usr/share/vostrel-calculator/classes.csv"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
dpkg-deb -x "$deb" "$root"

passed=0
failed=0
check() {
    local name=$1
    shift
    if out=$("$@" 2>&1); then
        echo "ok: $name"
        passed=$((passed + 1))
    else
        echo "FAILED: $name"
        printf '%s\n' "$out" | sed 's/^/    /'
        failed=$((failed + 1))
    fi
}

file_list() {
    local actual
    actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort)
    diff <(printf '%s\n' "$expected_files" | sort) <(printf '%s\n' "$actual")
}

control_data() {
    local name deb_version depends changelog_version
    name=$(dpkg-deb -f "$deb" Package)
    deb_version=$(dpkg-deb -f "$deb" Version)
    depends=$(dpkg-deb -f "$deb" Depends)
    changelog_version=$(zcat "$root/usr/share/doc/vostrel-calculator/changelog.gz" |
        sed -n '1s/^vostrel-calculator (\([^)]*\)).*/\1/p')
    [ "$name" = vostrel-calculator ] || { echo "package name $name"; return 1; }
    [ "$(basename "$deb")" = "vostrel-calculator_${version}_$(dpkg-deb -f "$deb" Architecture).deb" ] ||
        { echo "file name $(basename "$deb") for version $version"; return 1; }
    [ "$deb_version" = "$version" ] || { echo "version $deb_version, project $version"; return 1; }
    [ "$changelog_version" = "$version" ] || { echo "Debian changelog at $changelog_version"; return 1; }
    grep -q "^## $version " CHANGELOG.md || { echo "CHANGELOG.md has no $version"; return 1; }
    # Computed by dpkg-shlibdeps from the program's libraries, not written by hand.
    [[ $depends == *libqt6widgets6* && $depends == *libc6* ]] || { echo "Depends: $depends"; return 1; }
    file -b "$root/usr/bin/vostrel-calculator" | grep -q ', stripped' ||
        { file "$root/usr/bin/vostrel-calculator"; return 1; }
}

lintian_clean() {
    local report unexpected
    report=$(lintian --fail-on none "$deb" 2>/dev/null)
    unexpected=$(printf '%s\n' "$report" | grep -E '^[EW]: ' |
        grep -v -E ": ($(IFS='|'; echo "${allowed_lintian_tags[*]}"))( |$)" || true)
    [ -z "$unexpected" ] || { printf '%s\n' "$unexpected"; return 1; }
}

shipped_texts_validate() {
    desktop-file-validate "$root/usr/share/applications/vostrel-calculator.desktop"
    appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null ||
        appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
    local warnings
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
        "$root/usr/share/man/man1/vostrel-calculator.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "man page: $warnings"; return 1; }
}

# The probe answers the real dialog with the sample once the dialog lists it and
# reports what the window then holds; HOME is an empty folder, so a dialog that fell
# back to the home folder never lists the sample.
packaged_program_starts() {
    local sample=$root/usr/share/vostrel-calculator/classes.csv expected actual
    mkdir -p "$scratch/home"
    expected="dialog $root/usr/share/vostrel-calculator
offers classes.csv
class-lists $(($(wc -l <"$sample") + 1)) $(head -n 1 "$sample" | cut -d, -f1)"
    actual=$(env -u QT_QPA_PLATFORMTHEME -u DISPLAY -u WAYLAND_DISPLAY HOME="$scratch/home" \
        XDG_RUNTIME_DIR="$scratch" QT_QPA_PLATFORM=offscreen LD_PRELOAD="$probe" \
        timeout 60 "$root/usr/bin/vostrel-calculator" 2>/dev/null) ||
        { echo "exit status $?"; printf '%s\n' "$actual"; return 1; }
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual")
}

check "file list: every file at its place, nothing else" file_list
check "control data: name, version, computed dependencies, stripped program" control_data
check "lintian: no error or warning beyond ${allowed_lintian_tags[*]}" lintian_clean
check "desktop entry, AppStream data and manual page validate" shipped_texts_validate
check "packaged program starts offscreen and offers the packaged sample" packaged_program_starts

echo "package checks: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
