#include "Application.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "Logo.h"
#include "app/Types.h"

namespace pemrin::qt {

void SetUpApplication(QApplication& app) {
  app.setApplicationName("Pemrin");
  app.setApplicationDisplayName(QString());
  app.setWindowIcon(ProgramIcon());

  // Qt's standard buttons and dialogs speak Japanese like the rest of the program.
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(translator);
  }

  // fontconfig gives DejaVu Sans for these names, which mixes two fonts on one line: map
  // them to the IPA fonts that have the same metrics.
  QFont::insertSubstitution(QString::fromUtf8("ＭＳ ゴシック"), "IPAGothic");
  QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐゴシック"), "IPAPGothic");
  QFont::insertSubstitution(QString::fromUtf8("MS Gothic"), "IPAGothic");
  QFont::insertSubstitution(QString::fromUtf8("MS PGothic"), "IPAPGothic");
  app.setFont(QFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 9));
}

}  // namespace pemrin::qt
