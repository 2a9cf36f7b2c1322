#!/usr/bin/env bash
# Prints real Japanese text (UTF-8) taken from Debian packages on this machine.
#   extract_text.sh manpages   the Japanese manual pages (package manpages-ja), roff markup stripped
#   extract_text.sh catalogs   the translations of the Japanese message catalogs (*.mo)
#   extract_text.sh reference  the Debian Reference in Japanese (package debian-reference-ja)
#   extract_text.sh faq        the Debian FAQ in Japanese (package debian-faq-ja)
# Only lines that hold at least one non-ASCII character are printed.
set -euo pipefail

manpages() {
  local dir=/usr/share/man/ja
  [[ -d $dir ]] || { echo "extract_text.sh: $dir is missing: apt-get install manpages-ja" >&2; exit 1; }
  find "$dir" -type f -name '*.gz' | LC_ALL=C sort | while read -r page; do
    zcat -- "$page" 2>/dev/null || true
  done | sed -e '/^\.\\"/d' -e 's/^\.[A-Za-z]\{1,2\}[[:space:]]*//' \
    -e 's/\\f[BIRP]//g' -e 's/\\f(..//g' -e 's/\\[&,\/]//g' -e 's/\\-/-/g' -e 's/\\(em/--/g' \
    -e 's/"//g'
}

catalogs() {
  local dir=/usr/share/locale/ja/LC_MESSAGES
  [[ -d $dir ]] || { echo "extract_text.sh: $dir is missing" >&2; exit 1; }
  find "$dir" -type f -name '*.mo' | LC_ALL=C sort | while read -r mo; do
    msgunfmt --no-wrap -- "$mo" 2>/dev/null || true
  done | awk '
    # msgstr "..." and msgstr[n] "..." with continuation lines; the header entry is skipped.
    /^msgstr/ { on = 1; sub(/^msgstr(\[[0-9]+\])? /, ""); text = text $0; next }
    on && /^"/ { text = text $0; next }
    { if (on) flush(); on = 0 }
    END { if (on) flush() }
    function flush(  s) {
      s = text; text = ""
      gsub(/^"|"$/, "", s); gsub(/""/, "", s)
      if (s ~ /^Project-Id-Version/ || s ~ /Content-Type:/) return
      gsub(/\\n/, "\n", s); gsub(/\\t/, "\t", s); gsub(/\\"/, "\"", s); gsub(/\\\\/, "\\", s)
      print s
    }'
}

plain() {
  [[ -f $1 ]] || { echo "extract_text.sh: $1 is missing: apt-get install $2" >&2; exit 1; }
  zcat -- "$1"
}

case "${1:-}" in
  manpages) manpages ;;
  catalogs) catalogs ;;
  reference) plain /usr/share/debian-reference/debian-reference.ja.txt.gz debian-reference-ja ;;
  faq) plain /usr/share/doc/debian/FAQ/debian-faq.ja.txt.gz debian-faq-ja ;;
  *) echo "usage: extract_text.sh manpages|catalogs|reference|faq" >&2; exit 2 ;;
esac | LC_ALL=C grep -a '[^[:print:][:space:]]' || true
