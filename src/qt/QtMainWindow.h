#pragma once
// The main window: the real Qt window around the program's logic (TForm1). It builds the menus,
// the editor and the status bar, hands every event to the logic's handlers, and gives the
// logic the services of the windowing system (Platform).

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>

#include "Menus.h"
#include "app/Platform.h"
#include "app/TForm1.h"

class QColorDialog;
class QLabel;

namespace pemrin::qt {

class QtRichEdit;
class SplashWindow;

class QtMainWindow : public QMainWindow, public pemrin::Platform {
  Q_OBJECT

 public:
  // arguments: the command-line arguments after the program's name. programPath: the program
  // file whose folder holds the dictionaries and settings (the running program when empty).
  explicit QtMainWindow(QStringList arguments, QString programPath = QString(),
                        QWidget* parent = nullptr);
  ~QtMainWindow() override;

  // The start-up sequence, then the window on screen.
  void Start();

  pemrin::TForm1& Form() { return *form_; }
  QtRichEdit* Editor() { return richEdit_; }
  QAction* Action(const QString& name) const { return menus_[name]; }
  const Menus& MenuSet() const { return menus_; }

  // --- Platform ------------------------------------------------------------------------------
  void SetCaption(const std::string& caption) override;
  void SetStatusText(const std::string& text) override;
  void SetItemEnabled(pemrin::MenuItem item, bool enabled) override;
  void SetItemChecked(pemrin::MenuItem item, bool checked) override;
  pemrin::WindowGeometry Geometry() const override;
  void SetGeometry(const pemrin::WindowGeometry& geometry) override;
  void SetMainWindowEnabled(bool enabled) override;
  void CloseMainWindow() override;
  void CreateSplash() override;
  void ShowSplash() override;
  void DestroySplash() override;
  void ProcessEvents() override;
  void Sleep(int milliseconds) override;
  std::string ExecutablePath() const override;
  std::vector<std::string> Arguments() const override;
  void ShowError(const std::string& message) override;
  pemrin::MsgResult MessageBox(const std::string& text, const std::string& caption,
                               pemrin::MsgButtons buttons, pemrin::MsgIcon icon) override;
  void ShowMessage(const std::string& text) override;
  [[noreturn]] void Exit(int code) override;
  std::optional<std::string> OpenFileDialog(const std::string& fileName,
                                            const std::string& initialDir) override;
  std::optional<std::string> SaveFileDialog(const std::string& fileName,
                                            const std::string& initialDir) override;
  std::optional<pemrin::TColor> ChooseColor() override;
  void ShowNewTemplateDialog() override;
  void ShowSaveTemplateDialog() override;
  // Defined in QtMainWindowSettings.cpp.
  void ShowSettingsDialog() override;
  void ShowAboutBox() override;
  // Defined in QtMainWindowSearch.cpp.
  void Beep() override;
  pemrin::ScreenSize Screen() const override;
  void ShowFindDialog(int x, int y) override;
  void ShowReplaceDialog(int x, int y) override;
  void PrinterSetup() override;
  void Print(const std::string& title) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Enables the item and runs the handler through the logic's error wrapper when chosen.
  void Connect(const QString& name, std::function<void()> handler);
  void ConnectHandlers();
  void ConnectEditor();
  // Defined in QtMainWindowSearch.cpp: the Search menu and the Edit menu's commands.
  void ConnectSearchAndCommands();
  // Defined in QtMainWindowSettings.cpp: the font settings and the version dialog.
  void ConnectSettingsAndHelp();
  QAction* ActionOf(pemrin::MenuItem item) const;

  QStringList arguments_;
  QString programPath_;
  QtRichEdit* richEdit_;
  QLabel* statusText_;
  Menus menus_;
  std::unique_ptr<pemrin::TForm1> form_;
  std::unique_ptr<SplashWindow> splash_;
  QColorDialog* colorDialog_ = nullptr;  // one dialog for the program's run: it keeps its colour
  bool started_ = false;
};

}  // namespace pemrin::qt
