#!/usr/bin/env bash
# Checks the Debian package built by scripts/package.sh: its files and their places,
# its control data, lintian, the desktop entry, AppStream data and manual page it
# ships, and that the packaged program, unpacked into a scratch folder, starts on the
# offscreen platform and offers the packaged sample in its first dialog. Then, in
# build/release: the packager's flags, an install, and a rebuild giving the same bytes.
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
usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/vostrel-calculator/libvostrel-print.so
usr/share/applications/vostrel-calculator.desktop
usr/share/doc/vostrel-calculator/CHANGELOG.md.gz
usr/share/doc/vostrel-calculator/README.md.gz
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
    # The loader must find Qt where the system keeps it, not first beside /usr/bin.
    ! readelf -d "$root/usr/bin/vostrel-calculator" | grep -E '\((RPATH|RUNPATH)\)'
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
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") || return 1
    local written
    for written in $(cd "$scratch/home" && find . -type f | sed 's|^\.|~|'); do
        zgrep -qF "$written" "$root/usr/share/man/man1/vostrel-calculator.1.gz" ||
            { echo "writes $written, which the manual page does not name"; return 1; }
    done
}

# As dpkg-buildflags passes them: added to the release build's own hardening flags.
packager_flags_reach_build() {
    env CPPFLAGS=-DFROM_CPPFLAGS CXXFLAGS=-DFROM_CXXFLAGS LDFLAGS=-Wl,-O1 \
        cmake --preset release -B "$scratch/flags" >/dev/null || return 1
    local used flag
    used=" $(grep -o '"command": "[^"]* -c [^"]*/ui/main\.cpp"' "$scratch/flags/compile_commands.json")
$(sed -n '/^build ui\/vostrel-calculator:/,/^$/s/^ *LINK_FLAGS = //p' "$scratch/flags/build.ninja") "
    for flag in -DFROM_CPPFLAGS -DFROM_CXXFLAGS -D_FORTIFY_SOURCE=2 -fstack-protector-strong \
        -Wl,-O1 -Wl,-z,relro -Wl,-z,now; do
        [[ $used == *[[:space:]]$flag[[:space:]]* ]] || { echo "built without $flag: $used"; return 1; }
    done
}

# scripts/run.sh builds the program alone; an install right after must be whole.
install_after_run() {
    rm -f build/release/packaging/*.gz
    cmake --build --preset release --target vostrel-calculator >/dev/null &&
        cmake --install build/release --prefix "$scratch/prefix" --strip >/dev/null || return 1
    diff <(printf '%s\n' "$expected_files" | sort) <(cd "$scratch/prefix" && find . -type f | sed 's|^\.|usr|' | sort)
}

# A fresh checkout dates every file to the checkout; the package must not show it. C++
# sources keep their times: no compiler output records them, and recompiling is long.
rebuilt_package_is_identical() {
    local deb=build/release/vostrel-calculator_${version}_$(dpkg --print-architecture).deb
    cp "$deb" "$scratch/first.deb" && cp build/release/ui/vostrel-calculator "$scratch/first-program"
    find . \( -path ./build -o -path ./.git \) -prune -o -type f ! -name '*.cpp' ! -name '*.h' \
        -exec touch {} +
    bash scripts/package.sh >/dev/null
    cmp build/release/ui/vostrel-calculator "$scratch/first-program" && cmp "$deb" "$scratch/first.deb" ||
        { echo "(a package older than the last commit differs too)"; return 1; }
}

check "file list: every file at its place, nothing else" file_list
check "control data: name, version, computed dependencies, stripped program" control_data
check "lintian: no error or warning beyond ${allowed_lintian_tags[*]}" lintian_clean
check "desktop entry, AppStream data and manual page validate" shipped_texts_validate
check "packaged program starts offscreen, offers the packaged sample, writes only named files" \
    packaged_program_starts
check "packager's CPPFLAGS, CXXFLAGS and LDFLAGS join the hardening flags" packager_flags_reach_build
check "install into a prefix right after building the program alone" install_after_run
check "package rebuilt from files with new times: same program, same .deb" rebuilt_package_is_identical

echo "package checks: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
