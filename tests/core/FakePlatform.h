#pragma once
// A stand-in for the windowing system: records what the logic shows and answers its dialogs
// from queues the test fills.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Platform.h"

namespace pemrin::testing {

struct ShownBox {
  std::string text;
  std::string caption;
  MsgButtons buttons;
  MsgIcon icon;
};

class FakePlatform : public Platform {
 public:
  void SetCaption(const std::string& text) override { caption = text; }
  void SetStatusText(const std::string& text) override { status = text; }
  void SetItemEnabled(MenuItem, bool) override {}
  void SetItemChecked(MenuItem, bool) override {}
  WindowGeometry Geometry() const override { return geometry; }
  void SetGeometry(const WindowGeometry& g) override { geometry = g; }
  void SetMainWindowEnabled(bool enabled) override { windowEnabled = enabled; }
  void CloseMainWindow() override { closeRequested = true; }
  void CreateSplash() override { events.push_back("create splash"); }
  void ShowSplash() override { events.push_back("show splash"); }
  void DestroySplash() override { events.push_back("destroy splash"); }
  void ProcessEvents() override {}
  void Sleep(int ms) override { events.push_back("sleep " + std::to_string(ms)); }
  std::string ExecutablePath() const override { return programPath; }
  std::vector<std::string> Arguments() const override { return arguments; }
  void ShowError(const std::string& message) override { errors.push_back(message); }
  MsgResult MessageBox(const std::string& text, const std::string& caption_, MsgButtons buttons,
                       MsgIcon icon) override {
    boxes.push_back({text, caption_, buttons, icon});
    if (boxAnswers.empty()) return MsgResult::Cancel;
    MsgResult answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
  }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  [[noreturn]] void Exit(int code) override { throw ExitCalled{code}; }
  std::optional<std::string> OpenFileDialog(const std::string& fileName,
                                            const std::string&) override {
    openDialogNames.push_back(fileName);
    return NextAnswer(openAnswers);
  }
  std::optional<std::string> SaveFileDialog(const std::string& fileName,
                                            const std::string&) override {
    saveDialogNames.push_back(fileName);
    return NextAnswer(saveAnswers);
  }

  std::optional<TColor> ChooseColor() override {
    ++colorDialogCount;
    if (colorAnswers.empty()) return std::nullopt;
    auto answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
  }

  // The template dialogs run what the test put here (the user's choice), then close.
  void ShowNewTemplateDialog() override {
    if (newTemplateChoice) newTemplateChoice();
    if (onTemplateDialogClosed) onTemplateDialogClosed();
  }
  void ShowSaveTemplateDialog() override {
    if (saveTemplateChoice) saveTemplateChoice();
    if (onTemplateDialogClosed) onTemplateDialogClosed();
  }
  // Find, replace and printing: the dialogs are only recorded; a test closes one by setting
  // its flag back and running the logic's close handler.
  void Beep() override { ++beeps; }
  ScreenSize Screen() const override { return screen; }
  void ShowFindDialog(int x, int y) override {
    findDialogShowings.push_back({x, y});
    if (findDialogOpen) return;
    findDialogOpen = true;
    if (onFindDialogShow) onFindDialogShow();
  }
  void ShowReplaceDialog(int x, int y) override {
    replaceDialogShowings.push_back({x, y});
    replaceDialogOpen = true;
  }
  void PrinterSetup() override { ++printerSetups; }
  void Print(const std::string& title) override { printJobs.push_back(title); }
  struct Point {
    int x;
    int y;
    bool operator==(const Point&) const = default;
  };
  int beeps = 0;
  ScreenSize screen{1024, 768};
  std::vector<Point> findDialogShowings;
  std::vector<Point> replaceDialogShowings;
  bool findDialogOpen = false;
  bool replaceDialogOpen = false;
  std::function<void()> onFindDialogShow;
  int printerSetups = 0;
  std::vector<std::string> printJobs;

  std::function<void()> newTemplateChoice;
  std::function<void()> saveTemplateChoice;
  std::function<void()> onTemplateDialogClosed;

  // The settings dialog runs what the test put here (the user's session with it, its close
  // included); the version dialog is only counted.
  void ShowSettingsDialog() override {
    windowEnabledWhenSettingsShown = windowEnabled;
    if (settingsDialogSession) settingsDialogSession();
  }
  void ShowAboutBox() override { ++aboutBoxShowings; }
  std::function<void()> settingsDialogSession;
  bool windowEnabledWhenSettingsShown = true;
  int aboutBoxShowings = 0;

  struct ExitCalled {
    int code;
  };

  std::string caption;
  std::string status;
  WindowGeometry geometry;
  bool windowEnabled = true;
  bool closeRequested = false;
  std::string programPath;
  std::vector<std::string> arguments;
  std::vector<std::string> events;
  std::vector<std::string> errors;
  std::vector<std::string> messages;
  std::vector<ShownBox> boxes;
  std::deque<MsgResult> boxAnswers;
  std::deque<std::optional<std::string>> openAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  std::vector<std::string> openDialogNames;
  std::vector<std::string> saveDialogNames;
  std::deque<std::optional<TColor>> colorAnswers;
  int colorDialogCount = 0;

 private:
  static std::optional<std::string> NextAnswer(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace pemrin::testing
