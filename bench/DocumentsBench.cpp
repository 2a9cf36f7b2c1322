// Opening and saving through the main window's own commands, the Qt editor shown.
//
// load_1mb_euc_ms  Open of a 1 MB EUC-JP HTML file with about 52,000 tags: read, guess,
//                  convert, into the editor, colour every tag, status bar, laid out
// save_1mb_ms      Save of the same document

#include "Bench.h"
#include "BenchProgram.h"
#include "documents/kanji/KanjiConverter.h"

namespace pemrin::bench {
namespace {

// The document in EUC-JP: every Shift_JIS double-byte character moved to its EUC-JP form.
Bytes ToEucJp(const Bytes& sjis) {
  Bytes euc;
  euc.reserve(sjis.size());
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    const auto lead = static_cast<unsigned char>(sjis[i]);
    if ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEF)) {
      const auto trail = static_cast<unsigned char>(sjis[++i]);
      int row = (lead <= 0x9F ? lead - 0x70 : lead - 0xB0) * 2;
      int cell = trail;
      if (cell >= 0x9F) {
        cell -= 0x7E;
      } else {
        --row;
        cell -= cell >= 0x80 ? 0x20 : 0x1F;
      }
      euc += static_cast<char>(row + 0x80);
      euc += static_cast<char>(cell + 0x80);
    } else {
      euc += sjis[i];
    }
  }
  return euc;
}

}  // namespace

PEMRIN_BENCH_FIGURE("load_1mb_euc_ms", "ms") {
  BenchProgram program;
  const Bytes sjis = HtmlDocument(1 << 20, 3);
  const Bytes euc = ToEucJp(sjis);
  const QString path = program.Path("page.html");
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(euc.data(), static_cast<qint64>(euc.size()));
  file.close();
  TForm1& form = program.Form();
  const double start = NowMs();
  form.Run([&] { form.DropFiles({path.toStdString()}); });
  program.Settle();
  const double elapsed = NowMs() - start;
  // A load that did not give back the Shift_JIS text measured nothing.
  if (program.Editor().Text() != sjis || form.KanjiCode != 2) return -1;
  return elapsed;
}

PEMRIN_BENCH_FIGURE("save_1mb_ms", "ms") {
  BenchProgram program;
  const QString path = program.Path("page.html");
  const Bytes sjis = HtmlDocument(1 << 20, 3);
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(sjis.data(), static_cast<qint64>(sjis.size()));
  file.close();
  TForm1& form = program.Form();
  form.Run([&] { form.DropFiles({path.toStdString()}); });
  program.Settle();
  program.Editor().ReplaceSelectionAsUser("x");
  const double start = NowMs();
  form.Run([&] { form.N2Click(); });
  return NowMs() - start;
}

}  // namespace pemrin::bench
