#pragma once
// The main window's logic: its state (MainWindowState) and every handler of the program.
// The member functions are defined in the folder of the subsystem they belong to, so that each
// file reads as one piece of behaviour; this class decides, the Qt layer only shows.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Platform.h"
#include "app/Types.h"
#include "editor/EditorControl.h"
#include "search/DialogState.h"
#include "tags/StringList.h"

namespace pemrin {

// Windows virtual key codes, as the key handlers receive them.
enum VirtualKey : int {
  VK_BACK = 8,
  VK_TAB = 9,
  VK_RETURN = 13,
  VK_SHIFT = 16,
  VK_CONTROL = 17,
  VK_MENU = 18,
  VK_ESCAPE = 27,
  VK_END = 35,
  VK_HOME = 36,
  VK_LEFT = 37,
  VK_UP = 38,
  VK_RIGHT = 39,
  VK_DOWN = 40,
  VK_DELETE = 46,
};

struct ShiftState {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

// The default document of a new start.
extern const char* const kDefaultDocument;

// The program's folder with its trailing separator, from the real path of the program file.
std::string ExeDirFromProgramPath(const std::string& programPath);

// Whether a dropped or command-line file name is one the program opens: its last four
// characters, upper-cased, are "HTML", ".HTM" or ".TXT".
bool AcceptedExtension(const std::string& name);

class TForm1 {
 public:
  TForm1(EditorControl& richEdit, Platform& platform);

  // Runs one handler the way the application runs every handler: the program's error ends it
  // and is shown in the standard error box; the program goes on.
  void Run(const std::function<void()>& handler);

  // --- Life of the window ------------------------------------------------------------------
  void FormShow();
  // Returns true when the window may close (false when a step failed and it stays open).
  bool FormClose();
  void FormResize();
  void FormPaint();
  void FormClick();
  void Exit1Click();
  // The splash window's menu item: its check mark decides at the next start.
  void N9Click();

  // --- Caption, modified state and status bar ------------------------------------------------
  void RichEdit1Change();
  void SaveUiState();
  void RestoreUiState();
  void UpdateStatusBar();
  void RichEdit1KeyUp(int key, ShiftState shift);
  void RichEdit1MouseDown();

  // --- Settings file -----------------------------------------------------------------------
  void ReadSettingsAtStart();
  void WriteSettingsAtClose();

  // --- Keys (the tag assistance handles them) ------------------------------------------------
  void RichEdit1KeyDown(int& key, ShiftState shift);
  void RichEdit1KeyPress(char& key);

  // The nearest delimiter byte before the caret on the caret's line: start is the position
  // just after it, length the bytes from there to the caret; found false (start and length 0)
  // when the line has none before the caret. Leaves the selection alone.
  struct BackwardMatch {
    bool found = false;
    int caret = 0;
    int start = 0;
    int length = 0;
  };
  BackwardMatch SearchBackward(char delimiter) const;
  // Ends any completion the way a new document does; CandidateIndex stays as it is.
  void ResetCompletion();
  // Inserts "#RRGGBB" for a colour chosen in the colour dialog.
  void Color1Click();

  // --- Tag colouring ----------------------------------------------------------------------
  void ColorAllTags();
  void N1Click();

  // --- Documents -----------------------------------------------------------------------------
  void LoadOrSave(const std::string& word);
  void ConvertToShiftJis();
  void CommandLineStep();
  void ConfirmSave();
  void Open1Click();
  void N2Click();
  void SaveAs1Click();
  void New1Click();
  // A file dropped on the window or the editor: the first path only.
  void DropFiles(const std::vector<std::string>& paths);

  // --- Templates -----------------------------------------------------------------------------
  void Template1Click();
  // The template dialog's OK: reads the chosen template into TemplateLines.
  void ChooseTemplate(const std::string& path);
  // The save-as-template dialog's button: writes the document as ExeDir + name + ".tlt".
  void SaveAsTemplate(const std::string& name);
  // Closing either template dialog.
  void TemplateDialogClosed();

  // --- Settings and version dialogs ----------------------------------------------------------
  // Disables the main window and shows the settings dialog (its close enables it again).
  void Font1Click();
  // Shows the version dialog.
  void A2Click();

  // --- Find and replace (search/) -------------------------------------------------------------
  // Selects the next occurrence of the dialog's find text after the selection, or beeps and
  // says so; returns whether one was found.
  bool FindNextMatch(const FindDialogState& dialog);
  void Find2Click();
  void FindDialog1Find();
  void FindDialog1Show();
  void FindDialog1Close();
  void Replace1Click();
  void ReplaceDialog1Find();
  void ReplaceDialog1Replace(ReplaceButton button);

  // --- Edit commands, word wrap and printing (commands/) --------------------------------------
  void Edit1Click();
  void Undo1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Delete1Click();
  void SelectAll1Click();
  void WordWrap1Click();
  void N7Click();
  void Print1Click();

  // --- Read access for the Qt layer and tests ------------------------------------------------
  const std::string& Caption() const { return caption_; }
  const std::string& StatusText() const { return statusText_; }
  bool ItemEnabled(MenuItem item) const;
  bool ItemChecked(MenuItem item) const;
  void SetItemChecked(MenuItem item, bool checked);
  void SetItemEnabled(MenuItem item, bool enabled);
  void SetCaption(const std::string& caption);
  EditorControl& RichEdit1() { return richEdit_; }
  Platform& Platform1() { return platform_; }

  // --- MainWindowState ---------------------------------------------------------------------
  StringList FrontTagList;
  StringList BackTagList;
  StringList CandidateList;
  StringList TemplateLines;
  StringList FrontOpList;
  StringList IeTagList;
  StringList NnTagList;
  int CompletionStart = 0;
  int CandidateIndex = 0;
  int CandidateCount = 0;
  int CompletionLength = 0;
  int KanjiCode = 0;
  bool CandidateMode = false;
  bool FontItalic = false;
  bool FontBold = false;
  bool AttributeMode = false;
  bool ColoringOnOpen = false;
  bool TemplateChosen = false;
  bool Modified = false;
  bool FindDialogShown = false;
  bool SavedModified = false;
  bool ReplacingAll = false;
  // The find and replace dialogs' texts and options, kept from one showing to the next.
  FindDialogState FindDialog1;
  ReplaceDialogState ReplaceDialog1;
  Bytes TagPrefix;
  std::string FilePath;   // UTF-8 path
  std::string FileTitle;  // UTF-8 path
  std::string ExeDir;     // UTF-8, with its trailing separator
  Bytes CurrentCandidate;
  TColor TagColor = 0;
  TColor IeTagColor = 0;
  TColor NnTagColor = 0;
  std::string SavedCaption;
  bool SavedSaveEnabled = false;
  std::string VersionText;
  // The open dialog starts from these (set by every load and save).
  std::string OpenDialogFileName;
  std::string OpenDialogInitialDir;

 private:
  void SaveDocumentAs(const std::string& path);
  void LoadDocument(const std::string& path);

  // Tab completion, typing-time handling (tags/).
  void TabKey(char& key);
  void EscKey(char& key);
  void NewCompletion(char& key);
  void GatherTagNames();
  void GatherAttributes(const BackwardMatch& space);
  void StepForward(char& key, int caret);
  void ShowCandidate(char& key);
  void AcceptCandidate(char& key);
  void CancelCompletion();
  void EndCycle();
  void NothingToComplete(int caret);
  bool CandidateShown() const;
  TColor ListedTagColor(const Bytes& name, TColor otherwise) const;
  void CloseTag();
  void BreakLine(char& key);

  EditorControl& richEdit_;
  Platform& platform_;
  std::string caption_ = kAppTitle;
  std::string statusText_;
  bool n2Enabled_ = false;
  bool n9Checked_ = true;
  bool wordWrapChecked_ = false;
  bool editItemsEnabled_[4] = {true, true, true, true};  // Undo1, Cut1, Copy1, Paste1
  bool delete1Enabled_ = true;
};

}  // namespace pemrin
