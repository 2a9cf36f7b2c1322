// New documents from templates, and the document stored as a template.

#include "app/TForm1.h"
#include "documents/DocumentFile.h"

namespace pemrin {

void TForm1::New1Click() {
  ConfirmSave();
  TemplateChosen = false;
  platform_.SetMainWindowEnabled(false);
  platform_.ShowNewTemplateDialog();
  if (!TemplateChosen) return;
  richEdit_.SetSelStart(0);
  ResetCompletion();
  richEdit_.SetText(TemplateLines.Text());
  ColorAllTags();
  richEdit_.SetSelStart(0);
  FileTitle.clear();
  SetCaption("Pemrin " + VersionText);
  SetItemEnabled(MenuItem::N2, false);
  Modified = false;
}

void TForm1::Template1Click() {
  platform_.SetMainWindowEnabled(false);
  platform_.ShowSaveTemplateDialog();
}

void TForm1::ChooseTemplate(const std::string& path) {
  TemplateLines.LoadFromFile(path);
  TemplateChosen = true;
}

void TForm1::SaveAsTemplate(const std::string& name) {
  // A name reaching into another folder would write outside the program's templates.
  if (name.find('/') != std::string::npos) throw PemrinError("不正なファイル名 - " + name);
  WriteDocumentFile(ExeDir + name + ".tlt", richEdit_.Text());
}

void TForm1::TemplateDialogClosed() {
  platform_.SetMainWindowEnabled(true);
}

}  // namespace pemrin
