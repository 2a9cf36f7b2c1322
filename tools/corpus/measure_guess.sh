#!/usr/bin/env bash
# Measures how often pemrin-conv recognises the code of real Japanese text, and whether it
# converts it as glibc's iconv does.
#
#   tools/corpus/measure_guess.sh [PEMRIN_CONV] [WORK_DIR]
#
# The text comes from Debian's Japanese message catalogs and FAQ (apt-get install debian-faq-ja),
# which the character costs of the guess were not trained on; TRAINING=1 takes the training
# text instead (manpages-ja, debian-reference-ja). The corpus is regenerated in WORK_DIR:
#   word     one or two kanji alone (the hardest case: EUC-JP kanji look like half-width kana)
#   line     one line of a catalog
#   para     ten lines
#   doc      two hundred lines
#   hw-word  a katakana word written in half-width katakana
#   hw-line  a line with all its katakana written half-width
#   e0ea-line  a line with a kanji whose Shift_JIS lead byte is 0xE0-0xEA
# Every sample is encoded with iconv as CP932 (Shift_JIS), EUC-JP and ISO-2022-JP (samples a
# code cannot hold are left out for that code) and run through pemrin-conv, whose last line of
# standard error names the code it recognised. The output is compared with iconv's Shift_JIS.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
conv=${1:-$here/../../build/bin/pemrin-conv}
work=${2:-/tmp/pemrin-corpus}
per_size=${PER_SIZE:-400}
[[ -x $conv ]] || { echo "measure_guess.sh: $conv is not an executable" >&2; exit 1; }
export LC_ALL=C.UTF-8

rm -rf "$work"
mkdir -p "$work"
seeded() { openssl enc -aes-256-ctr -pass pass:pemrin -nosalt </dev/zero 2>/dev/null; }

# ---- Text ----------------------------------------------------------------------------------
if [[ ${TRAINING:-0} == 1 ]]; then
  { "$here/extract_text.sh" manpages; "$here/extract_text.sh" reference; } >"$work/text.txt"
else
  { "$here/extract_text.sh" catalogs; "$here/extract_text.sh" faq; } >"$work/text.txt"
fi
grep -av '^[[:space:]]*$' "$work/text.txt" >"$work/lines.txt" || true

# Full-width katakana to half-width, voiced ones as two characters.
half_width() {
  sed -e 's/ガ/ｶﾞ/g;s/ギ/ｷﾞ/g;s/グ/ｸﾞ/g;s/ゲ/ｹﾞ/g;s/ゴ/ｺﾞ/g;s/ザ/ｻﾞ/g;s/ジ/ｼﾞ/g;s/ズ/ｽﾞ/g' \
    -e 's/ゼ/ｾﾞ/g;s/ゾ/ｿﾞ/g;s/ダ/ﾀﾞ/g;s/ヂ/ﾁﾞ/g;s/ヅ/ﾂﾞ/g;s/デ/ﾃﾞ/g;s/ド/ﾄﾞ/g;s/バ/ﾊﾞ/g' \
    -e 's/ビ/ﾋﾞ/g;s/ブ/ﾌﾞ/g;s/ベ/ﾍﾞ/g;s/ボ/ﾎﾞ/g;s/パ/ﾊﾟ/g;s/ピ/ﾋﾟ/g;s/プ/ﾌﾟ/g;s/ペ/ﾍﾟ/g' \
    -e 's/ポ/ﾎﾟ/g;s/ヴ/ｳﾞ/g' \
    -e 'y/ァアィイゥウェエォオカキクケコサシスセソタチッツテトナニヌネノハヒフヘホ/ｧｱｨｲｩｳｪｴｫｵｶｷｸｹｺｻｼｽｾｿﾀﾁｯﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎ/' \
    -e 'y/マミムメモャヤュユョヨラリルレロワヲンー・/ﾏﾐﾑﾒﾓｬﾔｭﾕｮﾖﾗﾘﾙﾚﾛﾜｦﾝｰ･/'
}

# One sample per line of the given stream, written as UTF-8 files NAME-N.txt.
split_samples() {
  awk -v out="$work/utf8/$1" '{ n++; f = out "-" n ".txt"; print > f; close(f) }'
}
# Samples of K consecutive lines: cut the whole text into chunks, keep PER_SIZE of them.
split_chunks() {
  local name=$1 k=$2
  mkdir -p "$work/chunks"
  awk -v out="$work/chunks/$name" -v k="$k" \
    '{ f = out "-" int((NR - 1) / k + 1) ".txt"; print > f; if (NR % k == 0) close(f) }' \
    "$work/lines.txt"
  find "$work/chunks" -name "$name-*.txt" | sort | shuf -n "$per_size" --random-source=<(seeded) |
    xargs -r mv -t "$work/utf8"
  rm -rf "$work/chunks"
}
mkdir -p "$work/utf8"
grep -aoP '(?<!\p{Han})\p{Han}{1,2}(?!\p{Han})' "$work/lines.txt" | sort -u |
  shuf -n "$per_size" --random-source=<(seeded) | split_samples word
shuf -n "$per_size" --random-source=<(seeded) "$work/lines.txt" | split_samples line
split_chunks para 10
split_chunks doc 200
# Lines with a kanji whose Shift_JIS lead byte is 0xE0-0xEA (found at a character boundary),
# which a guess by the first high bytes takes for EUC-JP.
iconv -c -f UTF-8 -t CP932 "$work/lines.txt" |
  LC_ALL=C grep -aP '^(?:[\x00-\x7F\xA1-\xDF]|[\x81-\x9F\xE0-\xFC][\x40-\x7E\x80-\xFC])*[\xE0-\xEA]' |
  iconv -f CP932 -t UTF-8 | shuf -n "$per_size" --random-source=<(seeded) | split_samples e0ea-line
grep -aoP '[\x{30A1}-\x{30FC}]{2,}' "$work/lines.txt" | sort -u |
  shuf -n "$per_size" --random-source=<(seeded) | half_width | split_samples hw-word
grep -aP '[\x{30A1}-\x{30FA}]' "$work/lines.txt" | shuf -n "$per_size" --random-source=<(seeded) |
  half_width | split_samples hw-line

# ---- Encode, convert, count ----------------------------------------------------------------
declare -A total right same
codes=(SJIS:CP932 EUC:EUC-JP JIS:ISO-2022-JP)
mkdir -p "$work/enc"
for file in "$work"/utf8/*.txt; do
  base=$(basename "$file" .txt)
  size=${base%-*}
  for pair in "${codes[@]}"; do
    code=${pair%%:*} charset=${pair#*:}
    encoded="$work/enc/$base.$code"
    iconv -f UTF-8 -t "$charset" "$file" >"$encoded" 2>/dev/null || { rm -f "$encoded"; continue; }
    # iconv's Shift_JIS of the same text (CP932 for CP932 input, byte for byte).
    if [[ $code == SJIS ]]; then
      cp "$encoded" "$work/expected"
    else
      iconv -f "$charset" -t SHIFT_JIS "$encoded" >"$work/expected" 2>/dev/null ||
        iconv -f "$charset" -t CP932 "$encoded" >"$work/expected" 2>/dev/null ||
        { rm -f "$encoded"; continue; }
    fi
    guessed=$("$conv" "$encoded" 2>"$work/err" >"$work/out" && tail -n 1 "$work/err")
    key="$size $code"
    total[$key]=$((${total[$key]:-0} + 1))
    if [[ $guessed == "$code" ]]; then
      right[$key]=$((${right[$key]:-0} + 1))
    else
      echo "$guessed $encoded" >>"$work/wrong.txt"
    fi
    if cmp -s "$work/out" "$work/expected"; then same[$key]=$((${same[$key]:-0} + 1)); fi
  done
done

printf '%-10s %-5s %7s %9s %9s\n' size code samples guessed converted
all=0 ok=0
for size in word line para doc e0ea-line hw-word hw-line; do
  for code in SJIS EUC JIS; do
    key="$size $code"
    t=${total[$key]:-0}
    ((t > 0)) || continue
    r=${right[$key]:-0} s=${same[$key]:-0}
    all=$((all + t)) ok=$((ok + r))
    printf '%-10s %-5s %7d %8.1f%% %8.1f%%\n' "$size" "$code" "$t" \
      "$(echo "100*$r/$t" | bc -l)" "$(echo "100*$s/$t" | bc -l)"
  done
done
printf 'all              %7d %8.2f%%\n' "$all" "$(echo "100*$ok/$all" | bc -l)"
echo "wrong guesses: $work/wrong.txt"
