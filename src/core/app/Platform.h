#pragma once
// The services of the windowing system that the program's logic asks for. The Qt layer gives
// the real window and dialogs; tests give a recording stand-in.

#include <optional>
#include <string>
#include <vector>

#include "app/Types.h"

namespace pemrin {

// The main window's menu items whose state the logic sets.
enum class MenuItem {
  N2,  // File > Save
  N9,  // File > show splash window
  WordWrap1,
  Undo1,
  Cut1,
  Copy1,
  Paste1,
  Delete1,
};

enum class MsgButtons { Ok, YesNo, RetryCancel };
enum class MsgIcon { None, Warning, Error, Information };
enum class MsgResult { Ok, Yes, No, Retry, Cancel };

// Top and Left are the window's outer position on the screen; ClientHeight and ClientWidth the
// area below the menu bar (editor and status bar).
struct WindowGeometry {
  int top = 0;
  int left = 0;
  int clientHeight = 0;
  int clientWidth = 0;
  bool operator==(const WindowGeometry&) const = default;
};

struct ScreenSize {
  int width = 0;
  int height = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- The main window (texts are UTF-8) ---------------------------------------------------
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetStatusText(const std::string& text) = 0;
  virtual void SetItemEnabled(MenuItem item, bool enabled) = 0;
  virtual void SetItemChecked(MenuItem item, bool checked) = 0;
  virtual WindowGeometry Geometry() const = 0;
  virtual void SetGeometry(const WindowGeometry& geometry) = 0;
  virtual void SetMainWindowEnabled(bool enabled) = 0;
  virtual void CloseMainWindow() = 0;

  // --- Start-up ------------------------------------------------------------------------------
  // The splash window is created (not shown), shown, and destroyed by the start-up sequence.
  virtual void CreateSplash() = 0;
  virtual void ShowSplash() = 0;
  virtual void DestroySplash() = 0;
  // Handles the window messages that are waiting, once.
  virtual void ProcessEvents() = 0;
  virtual void Sleep(int milliseconds) = 0;
  // The real path of the running program file.
  virtual std::string ExecutablePath() const = 0;
  // The command-line arguments after the program's name.
  virtual std::vector<std::string> Arguments() const = 0;

  // --- Boxes ---------------------------------------------------------------------------------
  // The application's standard error box: the message with "." appended by the usual rule,
  // the title "Pemrin v1.37", an error icon and OK.
  virtual void ShowError(const std::string& message) = 0;
  virtual MsgResult MessageBox(const std::string& text, const std::string& caption,
                               MsgButtons buttons, MsgIcon icon) = 0;
  // A plain message with OK and the application title.
  virtual void ShowMessage(const std::string& text) = 0;
  // Ends the process at once with the exit code.
  [[noreturn]] virtual void Exit(int code) = 0;

  // --- File dialogs: the chosen path, or nothing when cancelled --------------------------------
  // fileName and initialDir are as the program keeps them: both the document's full path.
  virtual std::optional<std::string> OpenFileDialog(const std::string& fileName,
                                                    const std::string& initialDir) = 0;
  virtual std::optional<std::string> SaveFileDialog(const std::string& fileName,
                                                    const std::string& initialDir) = 0;
  // The colour dialog, opening on the colour chosen last (black the first time): the chosen
  // colour, or nothing when cancelled.
  virtual std::optional<TColor> ChooseColor() = 0;

  // --- The program's own dialogs, shown modally; they call back into the logic ------------------
  // New from a template: lists the .tlt files of the program's folder.
  virtual void ShowNewTemplateDialog() = 0;
  // Save the document as a template under a name the user types.
  virtual void ShowSaveTemplateDialog() = 0;
  // The font and colour settings dialog (TForm2). The main window is disabled before it
  // shows, and the dialog's close enables it again.
  virtual void ShowSettingsDialog() = 0;
  // The version dialog (TAboutBox).
  virtual void ShowAboutBox() = 0;

  // --- Find, replace and printing ------------------------------------------------------------
  // The default system sound.
  virtual void Beep() = 0;
  // The screen's size in pixels.
  virtual ScreenSize Screen() const = 0;
  // The modeless find dialog with its top-left corner at (x, y) on the screen: opened there, or
  // moved there and brought to the front when it is open. Its showing runs FindDialog1Show, its
  // closing (whichever way) FindDialog1Close, its Find Next button FindDialog1Find; its texts
  // and options are TForm1::FindDialog1.
  virtual void ShowFindDialog(int x, int y) = 0;
  // The modeless replace dialog, placed the same way. Its buttons run ReplaceDialog1Find and
  // ReplaceDialog1Replace; its texts and options are TForm1::ReplaceDialog1.
  virtual void ShowReplaceDialog(int x, int y) = 0;
  // The printer set-up dialog: edits the printer, paper and orientation that Print uses.
  virtual void PrinterSetup() = 0;
  // Prints the whole document, its colours and font as shown, as one job with this title.
  virtual void Print(const std::string& title) = 0;
};

}  // namespace pemrin
