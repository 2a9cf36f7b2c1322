// The main window's life: construction, the start-up sequence, the shutdown sequence and the
// small window handlers.

#include "app/TForm1.h"

#include <cstdlib>
#include <filesystem>

namespace pemrin {

const char* const kDefaultDocument =
    "<HTML>\r\n"
    "<HEAD>\r\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html;charset=x-sjis\">\r\n"
    "<META NAME=\"GENERATOR\" CONTENT=\"Pemrin v1.37\">\r\n"
    "<TITLE></TITLE>\r\n"
    "</HEAD>\r\n"
    "<BODY>\r\n"
    "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
    "</BODY>\r\n"
    "</HTML>";

std::string ExeDirFromProgramPath(const std::string& programPath) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path real = fs::weakly_canonical(fs::path(programPath), error);
  if (error) real = fs::absolute(fs::path(programPath), error);
  std::string dir = real.parent_path().string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

TForm1::TForm1(EditorControl& richEdit, Platform& platform)
    : richEdit_(richEdit), platform_(platform) {
  // The design-time text: in place before the change handler is connected, as a form's is.
  richEdit_.SetText(kDefaultDocument);
  richEdit_.OnChange = [this] { RichEdit1Change(); };
}

void TForm1::Run(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const PemrinError& error) {
    platform_.ShowError(error.what());
  }
}

bool TForm1::ItemEnabled(MenuItem item) const {
  switch (item) {
    case MenuItem::N2:
      return n2Enabled_;
    case MenuItem::Undo1:
    case MenuItem::Cut1:
    case MenuItem::Copy1:
    case MenuItem::Paste1:
      return editItemsEnabled_[static_cast<int>(item) - static_cast<int>(MenuItem::Undo1)];
    case MenuItem::Delete1:
      return delete1Enabled_;
    default:
      return true;
  }
}

void TForm1::SetItemEnabled(MenuItem item, bool enabled) {
  switch (item) {
    case MenuItem::N2:
      n2Enabled_ = enabled;
      break;
    case MenuItem::Undo1:
    case MenuItem::Cut1:
    case MenuItem::Copy1:
    case MenuItem::Paste1:
      editItemsEnabled_[static_cast<int>(item) - static_cast<int>(MenuItem::Undo1)] = enabled;
      break;
    case MenuItem::Delete1:
      delete1Enabled_ = enabled;
      break;
    default:
      break;
  }
  platform_.SetItemEnabled(item, enabled);
}

bool TForm1::ItemChecked(MenuItem item) const {
  if (item == MenuItem::N9) return n9Checked_;
  if (item == MenuItem::WordWrap1) return wordWrapChecked_;
  return false;
}

void TForm1::SetItemChecked(MenuItem item, bool checked) {
  if (item == MenuItem::N9) n9Checked_ = checked;
  if (item == MenuItem::WordWrap1) wordWrapChecked_ = checked;
  platform_.SetItemChecked(item, checked);
}

void TForm1::SetCaption(const std::string& caption) {
  caption_ = caption;
  platform_.SetCaption(caption);
}

void TForm1::FormShow() {
  VersionText = kVersionText;
  ExeDir = ExeDirFromProgramPath(platform_.ExecutablePath());

  // An error ends the sequence (the caller shows it and the window opens all the same); the
  // splash window goes in every case, since it must never outlive start-up.
  struct SplashGuard {
    Platform& platform;
    ~SplashGuard() { platform.DestroySplash(); }
  } splashGuard{platform_};

  ReadSettingsAtStart();

  FrontTagList.Clear();
  BackTagList.Clear();
  CandidateList.Clear();
  TemplateLines.Clear();
  FrontOpList.Clear();
  IeTagList.Clear();
  NnTagList.Clear();
  FileTitle.clear();
  CandidateMode = false;
  CompletionStart = -1;
  CompletionLength = 0;
  TagPrefix.clear();
  richEdit_.SetTextLimit(1000000);

  FrontOpList.LoadFromFile(ExeDir + "frontop.dic");
  BackTagList.LoadFromFile(ExeDir + "backtag.dic");
  TemplateLines.LoadFromFile(ExeDir + "new.tlt");
  FrontTagList.LoadFromFile(ExeDir + "fronttag.dic");
  IeTagList.LoadFromFile(ExeDir + "ietag.dic");
  NnTagList.LoadFromFile(ExeDir + "nntag.dic");

  CommandLineStep();

  if (ItemChecked(MenuItem::N9)) platform_.Sleep(400);
  FindDialogShown = false;
  ReplacingAll = false;
}

bool TForm1::FormClose() {
  bool closed = false;
  Run([&] {
    ConfirmSave();
    WriteSettingsAtClose();
    FrontTagList.Clear();
    FrontOpList.Clear();
    BackTagList.Clear();
    CandidateList.Clear();
    TemplateLines.Clear();
    IeTagList.Clear();
    NnTagList.Clear();
    closed = true;
  });
  return closed;
}

void TForm1::FormResize() {
  SaveUiState();
  richEdit_.SetRightIndent(0);
  RestoreUiState();
}

void TForm1::FormPaint() {
  richEdit_.Scroll(3);
  richEdit_.Scroll(2);
}

void TForm1::FormClick() {
  richEdit_.SetFocus();
}

void TForm1::Exit1Click() {
  platform_.CloseMainWindow();
}

// The splash choice takes effect at the next start, once the close has saved it.
void TForm1::N9Click() {
  SetItemChecked(MenuItem::N9, !ItemChecked(MenuItem::N9));
}

}  // namespace pemrin
