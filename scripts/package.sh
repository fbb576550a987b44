#!/usr/bin/env bash
# Builds the two Debian packages with CMake's install rules and one CPack run:
# build/ondulix-k_<version>_<arch>.deb, the window, and build/ondulix-k-render_<version>_<arch>.deb,
# the picture command. Then checks what it made: the files each package must hold and that no
# file is in both, the desktop entry, the settings files' type, the icons, the manual pages,
# the programs' versions, the window's AppStream metadata, that the picture command's package and
# program need no Qt, and lintian, which must find Debian's hardening in both programs. Prints
# one line per package.
set -euo pipefail
cd "$(dirname "$0")/.."

# What building the programs needs (the test libraries too: configuring reads the tests'
# build files), and the tools that make and check the package: dpkg-shlibdeps (dpkg-dev)
# finds the dependencies, help2man writes the command's manual page, xmllint (libxml2-utils)
# reads the file type's XML, appstreamcli (appstream) validates the AppStream metadata. Unlike
# scripts/install-deps.sh this leaves out the sanitizer and fuzzing compilers, so it also
# serves on Ubuntu. Only what is missing is installed.
dependencies=(
    build-essential cmake pkg-config
    qt6-base-dev libgl-dev libgif-dev libpng-dev libgtest-dev
    dpkg-dev help2man desktop-file-utils libxml2-utils appstream lintian man-db
)
bash scripts/install-missing.sh "${dependencies[@]}"

# The manual pages and the changelog carry the date of the commit, not of the build, so the
# same commit gives the same pages.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH="$(git log -1 --format=%ct 2>/dev/null || date +%s)"
fi
export SOURCE_DATE_EPOCH

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DONDULIX_PACKAGE=ON >/dev/null
cmake --build build -j"$(nproc)" --target ondulix-k ondulix-k-render ondulix_package_files
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)"
packages=(ondulix-k ondulix-k-render)
declare -A deb
for package in "${packages[@]}"; do
    deb[$package]="build/${package}_${version}_$(dpkg --print-architecture).deb"
done
rm -f build/ondulix-k_*.deb build/ondulix-k-render_*.deb
(cd build && cpack -G DEB) >/dev/null
for package in "${packages[@]}"; do
    [ -f "${deb[$package]}" ] || { echo "package.sh: cpack made no ${deb[$package]}" >&2; exit 1; }
done

declare -A failures
fail() {
    echo "package.sh: $1: $2" >&2
    failures[$1]=$((${failures[$1]:-0} + 1))
}

icon_sizes=(16 24 32 48 64 128 256)
examples=(examples/*.okd)
window_expected=(
    usr/bin/ondulix-k
    usr/share/applications/ondulix-k.desktop
    usr/share/mime/packages/ondulix-k.xml
    usr/share/metainfo/org.example.ondulix_k.metainfo.xml
    usr/share/man/man1/ondulix-k.1.gz
    usr/share/doc/ondulix-k/copyright
    usr/share/doc/ondulix-k/changelog.gz
)
for size in "${icon_sizes[@]}"; do
    window_expected+=("usr/share/icons/hicolor/${size}x${size}/apps/ondulix-k.png")
done
for example in "${examples[@]}"; do
    window_expected+=("usr/share/ondulix-k/examples/$(basename "$example")")
done
render_expected=(
    usr/bin/ondulix-k-render
    usr/share/man/man1/ondulix-k-render.1.gz
    usr/share/doc/ondulix-k-render/copyright
    usr/share/doc/ondulix-k-render/changelog.gz
)

workspace="$(mktemp -d)"
trap 'rm -rf "$workspace"' EXIT
declare -A listing tree
for package in "${packages[@]}"; do
    listing[$package]="$(dpkg-deb -c "${deb[$package]}" | awk '{print $6}' | sed 's|^\./||')"
    tree[$package]="$workspace/$package"
    dpkg-deb -x "${deb[$package]}" "${tree[$package]}"
done
for path in "${window_expected[@]}"; do
    grep -qxF "$path" <<<"${listing[ondulix-k]}" || fail ondulix-k "missing: /$path"
done
for path in "${render_expected[@]}"; do
    grep -qxF "$path" <<<"${listing[ondulix-k-render]}" || fail ondulix-k-render "missing: /$path"
done

# dpkg refuses to install a package that would overwrite another's file, so the two could not
# be installed together. Folders (ending in /) may be shared.
files_of() { grep -v '/$' <<<"${listing[$1]}" | sort; }
while read -r path; do
    [ -z "$path" ] || fail ondulix-k-render "also in ondulix-k: /$path"
done < <(comm -12 <(files_of ondulix-k) <(files_of ondulix-k-render))

# Hints (several main categories) are advice; only errors make the entry invalid.
entry="${tree[ondulix-k]}/usr/share/applications/ondulix-k.desktop"
desktop-file-validate "$entry" || fail ondulix-k "the desktop entry does not validate"

# The settings files' type: well-formed XML, a glob for *.okd, and named by the desktop
# entry, which takes the file a file manager hands it.
mime="${tree[ondulix-k]}/usr/share/mime/packages/ondulix-k.xml"
if [ -f "$mime" ]; then
    attribute() { xmllint --xpath "string(//*[local-name()='$1']/@$2)" "$mime" 2>&1; }
    mime_type="$(attribute mime-type type)" ||
        fail ondulix-k "the file type's XML is not well formed: $mime_type"
    [ "$(attribute glob pattern)" = "*.okd" ] || fail ondulix-k "the file type is not for *.okd"
    grep -qx "MimeType=.*$mime_type;.*" "$entry" ||
        fail ondulix-k "the desktop entry does not name $mime_type"
    grep -qx 'Exec=ondulix-k %f' "$entry" || fail ondulix-k "the desktop entry does not take a file"
fi

# Software centres list the window from its AppStream metadata. The validator fails on errors
# and warnings; its infos are advice (it looks for a capital letter at the start of the
# Japanese paragraphs, and Japanese has none). It does not look at the files the metadata
# names, so the entry and the type are compared here.
metainfo="${tree[ondulix-k]}/usr/share/metainfo/org.example.ondulix_k.metainfo.xml"
if [ -f "$metainfo" ]; then
    appstream_status=0
    appstream_report="$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1)" ||
        appstream_status=$?
    echo "$appstream_report"
    [ "$appstream_status" -eq 0 ] ||
        fail ondulix-k "the AppStream validator reports errors or warnings"
    named() { xmllint --xpath "string(/component/$1)" "$metainfo" 2>&1; }
    [ "$(named 'launchable[@type="desktop-id"]')" = "$(basename "$entry")" ] ||
        fail ondulix-k "the AppStream metadata does not launch $(basename "$entry")"
    [ -n "${mime_type:-}" ] && [ "$(named provides/mediatype)" = "$mime_type" ] ||
        fail ondulix-k "the AppStream metadata does not provide ${mime_type:-the file type}"
fi

# A PNG's width and height are the two big-endian words at byte 16.
for size in "${icon_sizes[@]}"; do
    png="${tree[ondulix-k]}/usr/share/icons/hicolor/${size}x${size}/apps/ondulix-k.png"
    [ -f "$png" ] || continue
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
    [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
        fail ondulix-k "icon ${size}x${size} is ${width}x${height}"
done

# Each package holds one program and its manual page, both named after the package. The page
# must render without a word from groff, as lintian checks it, and the program must name the
# package's version without a display.
for package in "${packages[@]}"; do
    file="${tree[$package]}/usr/share/man/man1/$package.1.gz"
    if [ -f "$file" ]; then
        warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
            man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)"
        [ -z "$warnings" ] || fail "$package" "$package(1) renders with warnings: $warnings"
        rendered="$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$file" 2>/dev/null)"
        grep -q "^NAME" <<<"$rendered" && grep -q "$package - " <<<"$rendered" ||
            fail "$package" "$package(1) does not render"
    fi
    shown="$(env -u DISPLAY -u WAYLAND_DISPLAY "${tree[$package]}/usr/bin/$package" --version 2>&1 ||
        true)"
    [ "$shown" = "$package (Ondulix-K) $version" ] ||
        fail "$package" "$package --version says '$shown', the package is $version"
done

# The picture command has a package of its own so that it brings no Qt: neither through what
# apt installs with it by default nor through the libraries the program loads. An empty
# Depends would pass that unnoticed, so each package must name the C library dpkg-shlibdeps
# found.
for package in "${packages[@]}"; do
    dpkg-deb -f "${deb[$package]}" Depends | grep -qE '(^|, )libc6( |,|$)' ||
        fail "$package" "Depends names no libc6: dpkg-shlibdeps did not run"
done
installed_with="$(dpkg-deb -f "${deb[ondulix-k-render]}" Pre-Depends Depends Recommends)"
if grep -qiE '(^|[ ,:])(lib)?qt[0-9]' <<<"$installed_with"; then
    fail ondulix-k-render "installs Qt with it: $(tr '\n' ' ' <<<"$installed_with")"
fi
needed="$(objdump -p "${tree[ondulix-k-render]}/usr/bin/ondulix-k-render" | awk '$1 == "NEEDED" {print $2}')"
if grep -qi '^libqt' <<<"$needed"; then
    fail ondulix-k-render "the program links $(grep -i '^libqt' <<<"$needed" | tr '\n' ' ')"
fi

# Errors fail a package; warnings and notes are shown for the record. Any hardening tag, even
# an info, means a program lacks a protection that Debian builds into all of its own.
for package in "${packages[@]}"; do
    lintian_status=0
    lintian_report="$(lintian --fail-on error --display-info "${deb[$package]}" 2>&1)" ||
        lintian_status=$?
    grep -v "running with root privileges" <<<"$lintian_report" || true
    [ "$lintian_status" -eq 0 ] || fail "$package" "lintian reports errors"
    hardening="$(grep -oE ': hardening-[a-z-]+' <<<"$lintian_report" | sort -u | tr -d ':\n')" || true
    [ -z "$hardening" ] || fail "$package" "built without Debian's hardening:$hardening"
done

declare -A checked=(
    [ondulix-k]="files, desktop entry, file type, AppStream metadata, icons, manual page, version, hardening and lintian checked"
    [ondulix-k-render]="files, manual page, version, no Qt in its dependencies or its libraries, hardening and lintian checked"
)
failed=0
for package in "${packages[@]}"; do
    if [ "${failures[$package]:-0}" -ne 0 ]; then
        echo "package.sh: ${deb[$package]} fails ${failures[$package]} check(s)" >&2
        failed=1
    else
        echo "${deb[$package]}: $(wc -l <<<"${listing[$package]}") entries; ${checked[$package]}"
    fi
done
exit "$failed"
