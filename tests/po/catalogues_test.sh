#!/usr/bin/env bash
# The catalogues po/*.po: msgfmt takes each of them, each translates every text the program
# marks for translation (a text without a translation would be shown in Japanese), and no
# Japanese text of the program's sources or page script escapes the marks.
#   bash tests/po/catalogues_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"
export LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

mapfile -t sources < <(find src -name '*.cpp' -o -name '*.h' | sort)
mapfile -t scripts < <(find src -name '*.js' | sort)
xgettext --from-code=UTF-8 --language=C++ --keyword=tr --keyword=N_ --no-wrap \
    -o "$work/marked.pot" "${sources[@]}"

for catalogue in po/*.po; do
    if ! msgfmt --check -o /dev/null "$catalogue"; then
        echo "FAIL: msgfmt refuses $catalogue"
        failed=1
    fi
    # msgcmp counts an untranslated or fuzzy entry as missing.
    if ! msgcmp "$catalogue" "$work/marked.pot"; then
        echo "FAIL: $catalogue lacks the translation of a marked text (above)"
        failed=1
    fi
done

# Every string of the sources and scripts that holds Japanese, against the marked ones. The
# font's name is the one Japanese string that is no text.
xgettext --from-code=UTF-8 --language=C++ --extract-all --no-wrap -o "$work/all.pot" "${sources[@]}" 2>/dev/null
xgettext --from-code=UTF-8 --language=JavaScript --extract-all --no-wrap -o "$work/scripts.pot" \
    "${scripts[@]}" 2>/dev/null
japanese() { grep -hP '^msgid ".*[\p{Hiragana}\p{Katakana}\p{Han}]' "$@" | sort -u; }
japanese "$work/marked.pot" >"$work/marked"
japanese "$work/all.pot" "$work/scripts.pot" | grep -vxF 'msgid "ＭＳ Ｐゴシック"' >"$work/all" || true
if comm -23 "$work/all" "$work/marked" | grep .; then
    echo "FAIL: the Japanese strings above are not marked with tr() or N_()"
    failed=1
fi
# The check above must see the marked texts at all, or it would pass on nothing.
if [ ! -s "$work/marked" ]; then
    echo "FAIL: no marked Japanese text found"
    failed=1
fi
exit $failed
