#!/usr/bin/env bash
# Builds the Debian package build/ondulix-k_<version>_<arch>.deb with CMake's install rules and
# CPack, then checks what it made: the files the package must hold, the desktop entry, the
# settings files' type, the icons, the manual pages, the programs' versions, and lintian.
set -euo pipefail
cd "$(dirname "$0")/.."

# What building the programs needs (the test libraries too: configuring reads the tests'
# build files), and the tools that make and check the package: dpkg-shlibdeps (dpkg-dev)
# finds the dependencies, help2man writes the command's manual page, xmllint (libxml2-utils)
# reads the file type's XML. Unlike
# scripts/install-deps.sh this leaves out the sanitizer and fuzzing compilers, so it also
# serves on Ubuntu. Only what is missing is installed.
packages=(
    build-essential cmake pkg-config
    qt6-base-dev libgl-dev libgif-dev libpng-dev libgtest-dev
    dpkg-dev help2man desktop-file-utils libxml2-utils lintian man-db
)
bash scripts/install-missing.sh "${packages[@]}"

# The manual pages and the changelog carry the date of the commit, not of the build, so the
# same commit gives the same pages.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH="$(git log -1 --format=%ct 2>/dev/null || date +%s)"
fi
export SOURCE_DATE_EPOCH

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DONDULIX_PACKAGE=ON >/dev/null
cmake --build build -j"$(nproc)" --target ondulix-k ondulix-k-render ondulix_package_files
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)"
deb="build/ondulix-k_${version}_$(dpkg --print-architecture).deb"
rm -f build/ondulix-k_*.deb
(cd build && cpack -G DEB) >/dev/null
[ -f "$deb" ] || { echo "package.sh: cpack made no $deb" >&2; exit 1; }

failures=0
fail() {
    echo "package.sh: $*" >&2
    failures=$((failures + 1))
}

icon_sizes=(16 24 32 48 64 128 256)
examples=(examples/*.okd)
expected=(
    usr/bin/ondulix-k
    usr/bin/ondulix-k-render
    usr/share/applications/ondulix-k.desktop
    usr/share/mime/packages/ondulix-k.xml
    usr/share/man/man1/ondulix-k.1.gz
    usr/share/man/man1/ondulix-k-render.1.gz
    usr/share/doc/ondulix-k/copyright
    usr/share/doc/ondulix-k/changelog.gz
)
for size in "${icon_sizes[@]}"; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/ondulix-k.png")
done
for example in "${examples[@]}"; do
    expected+=("usr/share/ondulix-k/examples/$(basename "$example")")
done
listing="$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||')"
for path in "${expected[@]}"; do
    grep -qxF "$path" <<<"$listing" || fail "missing from the package: /$path"
done

tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"

# Hints (several main categories) are advice; only errors make the entry invalid.
entry="$tree/usr/share/applications/ondulix-k.desktop"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"

# The settings files' type: well-formed XML, a glob for *.okd, and named by the desktop
# entry, which takes the file a file manager hands it.
mime="$tree/usr/share/mime/packages/ondulix-k.xml"
if [ -f "$mime" ]; then
    attribute() { xmllint --xpath "string(//*[local-name()='$1']/@$2)" "$mime" 2>&1; }
    mime_type="$(attribute mime-type type)" ||
        fail "the file type's XML is not well formed: $mime_type"
    [ "$(attribute glob pattern)" = "*.okd" ] || fail "the file type is not for *.okd"
    grep -qx "MimeType=.*$mime_type;.*" "$entry" || fail "the desktop entry does not name $mime_type"
    grep -qx 'Exec=ondulix-k %f' "$entry" || fail "the desktop entry does not take a file"
fi

# A PNG's width and height are the two big-endian words at byte 16.
for size in "${icon_sizes[@]}"; do
    png="$tree/usr/share/icons/hicolor/${size}x${size}/apps/ondulix-k.png"
    [ -f "$png" ] || continue
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
    [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
        fail "icon ${size}x${size} is ${width}x${height}"
done

# Each page must render, without a word from groff, as lintian checks it.
for page in ondulix-k ondulix-k-render; do
    file="$tree/usr/share/man/man1/$page.1.gz"
    [ -f "$file" ] || continue
    warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || fail "$page(1) renders with warnings: $warnings"
    rendered="$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$file" 2>/dev/null)"
    grep -q "^NAME" <<<"$rendered" && grep -q "$page - " <<<"$rendered" ||
        fail "$page(1) does not render"
done

# Both programs in the package name the package's version, without a display.
for program in ondulix-k ondulix-k-render; do
    shown="$(env -u DISPLAY -u WAYLAND_DISPLAY "$tree/usr/bin/$program" --version 2>&1 || true)"
    [ "$shown" = "$program (Ondulix-K) $version" ] ||
        fail "$program --version says '$shown', the package is $version"
done

# Errors fail the package; warnings and notes are shown for the record.
lintian_status=0
lintian_report="$(lintian --fail-on error --display-info "$deb" 2>&1)" || lintian_status=$?
grep -v "running with root privileges" <<<"$lintian_report" || true
[ "$lintian_status" -eq 0 ] || fail "lintian reports errors"

if [ "$failures" -ne 0 ]; then
    echo "package.sh: $deb fails $failures check(s)" >&2
    exit 1
fi
echo "$deb: $(wc -l <<<"$listing") entries; files, desktop entry, file type, icons," \
    "manual pages, versions and lintian checked"
