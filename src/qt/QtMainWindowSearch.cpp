// The main window's Search menu and its find and replace dialogs, the Edit menu's commands and
// enabling, word wrap, printer set-up and printing.

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QShortcut>

#include "Cp932Codec.h"
#include "FindReplaceDialog.h"
#include "Printing.h"
#include "QtMainWindow.h"
#include "QtRichEdit.h"

namespace pemrin::qt {

namespace {

// What the user typed in a dialog, as the document's bytes: characters code page 932 has no
// code for become "&#N;", as they do when typed into the editor.
Bytes DialogBytes(const QString& text) {
  return EncodeCp932(ToCp932Storable(text));
}

void CopyDialog(const FindReplaceDialog& dialog, FindDialogState& state) {
  state.SetFindText(DialogBytes(dialog.FindText()));
  state.matchCase = dialog.MatchCase();
  state.wholeWord = dialog.WholeWord();
}

// The window's one dialog of a kind: it lives as long as the window, so its texts and options
// last as long as the program runs.
FindReplaceDialog* DialogOf(const QtMainWindow* window, const char* name) {
  return window->findChild<FindReplaceDialog*>(name, Qt::FindDirectChildrenOnly);
}

}  // namespace

void QtMainWindow::ConnectSearchAndCommands() {
  pemrin::TForm1& form = *form_;

  // The logic reads the dialogs' texts and options from its own state: keep it up to date with
  // every edit, so that F3 searches with what the dialog shows at that moment.
  auto* find = new FindReplaceDialog(FindReplaceDialog::Kind::Find, this);
  auto run = [this](std::function<void()> handler) { form_->Run(handler); };
  connect(find, &FindReplaceDialog::contentsChanged, this,
          [find, &form] { CopyDialog(*find, form.FindDialog1); });
  connect(find, &FindReplaceDialog::findNextRequested, this,
          [run, &form] { run([&form] { form.FindDialog1Find(); }); });
  connect(find, &FindReplaceDialog::shown, this,
          [run, &form] { run([&form] { form.FindDialog1Show(); }); });
  connect(find, &FindReplaceDialog::closed, this,
          [run, &form] { run([&form] { form.FindDialog1Close(); }); });

  auto* replace = new FindReplaceDialog(FindReplaceDialog::Kind::Replace, this);
  connect(replace, &FindReplaceDialog::contentsChanged, this, [replace, &form] {
    CopyDialog(*replace, form.ReplaceDialog1);
    form.ReplaceDialog1.SetReplaceText(DialogBytes(replace->ReplaceText()));
  });
  connect(replace, &FindReplaceDialog::findNextRequested, this,
          [run, &form] { run([&form] { form.ReplaceDialog1Find(); }); });
  connect(replace, &FindReplaceDialog::replaceRequested, this, [run, &form] {
    run([&form] { form.ReplaceDialog1Replace(pemrin::ReplaceButton::Replace); });
  });
  connect(replace, &FindReplaceDialog::replaceAllRequested, this, [run, &form] {
    run([&form] { form.ReplaceDialog1Replace(pemrin::ReplaceButton::ReplaceAll); });
  });

  new Printing(this);

  Connect("Find2", [&form] { form.Find2Click(); });
  Connect("FindNext1", [&form] { form.FindDialog1Find(); });
  Connect("Replace1", [&form] { form.Replace1Click(); });

  for (const char* suffix : {"1", "2"}) {  // the Edit menu and the popup menu
    const QString n = QString::fromLatin1(suffix);
    Connect("Undo" + n, [&form] { form.Undo1Click(); });
    Connect("Cut" + n, [&form] { form.Cut1Click(); });
    Connect("Copy" + n, [&form] { form.Copy1Click(); });
    Connect("Paste" + n, [&form] { form.Paste1Click(); });
    Connect("Delete" + n, [&form] { form.Delete1Click(); });
    Connect("SelectAll" + n, [&form] { form.SelectAll1Click(); });
  }
  Connect("WordWrap1", [&form] { form.WordWrap1Click(); });
  // The check mark is the logic's to set: undo Qt's own toggle before the handler runs.
  connect(menus_["WordWrap1"], &QAction::triggered, this, [this] {
    menus_["WordWrap1"]->setChecked(form_->ItemChecked(pemrin::MenuItem::WordWrap1));
  });
  Connect("N7", [&form] { form.N7Click(); });
  Connect("Print1", [&form] { form.Print1Click(); });

  // Opening the Edit menu sets its items' enabling; so does each of its shortcuts, which then
  // runs its item only when that is enabled: a disabled item swallows its key, which never
  // reaches the editor's own bindings. The items' own shortcuts serve only inside the open menu.
  connect(menus_.edit, &QMenu::aboutToShow, this,
          [run, &form] { run([&form] { form.Edit1Click(); }); });
  for (QAction* action : menus_.edit->actions()) {
    if (action->shortcut().isEmpty()) continue;
    action->setShortcutContext(Qt::WidgetShortcut);
    auto* shortcut = new QShortcut(action->shortcut(), this);
    shortcut->setObjectName(action->objectName() + "Shortcut");
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [run, action, &form] {
      run([&form] { form.Edit1Click(); });
      if (action->isEnabled()) action->trigger();
    });
  }
}

void QtMainWindow::Beep() {
  QApplication::beep();
}

pemrin::ScreenSize QtMainWindow::Screen() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  return {screen->size().width(), screen->size().height()};
}

void QtMainWindow::ShowFindDialog(int x, int y) {
  DialogOf(this, "FindDialog1")->ShowAt(x, y);
}

void QtMainWindow::ShowReplaceDialog(int x, int y) {
  DialogOf(this, "ReplaceDialog1")->ShowAt(x, y);
}

void QtMainWindow::PrinterSetup() {
  findChild<Printing*>(QString(), Qt::FindDirectChildrenOnly)->Setup();
}

void QtMainWindow::Print(const std::string& title) {
  findChild<Printing*>(QString(), Qt::FindDirectChildrenOnly)
      ->Print(*richEdit_, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
}

}  // namespace pemrin::qt
