#include "QtMainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "ErrorBox.h"
#include "QtRichEdit.h"
#include "SplashWindow.h"
#include "TColorQColor.h"
#include "TemplateDialogs.h"

namespace pemrin::qt {

namespace {

QString Utf8(const std::string& text) {
  return QString::fromUtf8(text.data(), text.size());
}

std::vector<std::string> LocalFiles(const QMimeData* mime) {
  std::vector<std::string> paths;
  if (!mime || !mime->hasUrls()) return paths;
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  return paths;
}

// The file dialogs' filters: the text the user sees, then the patterns Qt reads.
const char* const kOpenFilters[] = {
    "HTMLファイル(*.html, *.htm, *.shtml) (*.html *.htm *.shtml)",
    "テキストファイル(*.txt) (*.txt)",
};
const char* const kSaveFilters[] = {
    "HTMLファイル(*.html) (*.html)",
    "HTMLファイル(*.htm) (*.htm)",
    "テキストファイル(*.txt) (*.txt)",
};

template <std::size_t N>
QStringList Filters(const char* const (&filters)[N]) {
  QStringList list;
  for (const char* filter : filters) list << QString::fromUtf8(filter);
  return list;
}

// Shows a file dialog that starts at the document's path; the chosen path, or nothing.
std::optional<std::string> RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode,
                                         const QStringList& filters, const std::string& fileName,
                                         const std::string& initialDir) {
  QFileDialog dialog(parent);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix("html");
  if (!initialDir.empty()) {
    QFileInfo info(Utf8(initialDir));
    dialog.setDirectory(info.isDir() ? info.absoluteFilePath() : info.absolutePath());
  }
  if (!fileName.empty()) dialog.selectFile(QFileInfo(Utf8(fileName)).fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

}  // namespace

QtMainWindow::QtMainWindow(QStringList arguments, QString programPath, QWidget* parent)
    : QMainWindow(parent), arguments_(std::move(arguments)), programPath_(std::move(programPath)) {
  setWindowTitle(QString::fromUtf8(pemrin::kAppTitle));
  setAcceptDrops(true);
  richEdit_ = new QtRichEdit(this);
  richEdit_->setObjectName("RichEdit1");
  setCentralWidget(richEdit_);
  statusText_ = new QLabel(this);
  statusText_->setObjectName("StatusBar1");
  statusBar()->addWidget(statusText_, 1);
  statusBar()->setSizeGripEnabled(false);
  menus_ = BuildMenus(this);
  form_ = std::make_unique<pemrin::TForm1>(*richEdit_, *this);
  ConnectEditor();
  ConnectHandlers();
  resize(635, 418);
  move(244, 222);
}

QtMainWindow::~QtMainWindow() = default;

void QtMainWindow::Connect(const QString& name, std::function<void()> handler) {
  QAction* action = menus_[name];
  if (!action) return;
  action->setEnabled(true);
  connect(action, &QAction::triggered, this,
          [this, handler = std::move(handler)] { form_->Run(handler); });
}

void QtMainWindow::ConnectHandlers() {
  pemrin::TForm1& form = *form_;
  Connect("Open1", [&form] { form.Open1Click(); });
  Connect("N2", [&form] { form.N2Click(); });
  menus_["N2"]->setEnabled(false);
  Connect("SaveAs1", [&form] { form.SaveAs1Click(); });
  Connect("N9", [&form] { form.N9Click(); });
  // The check mark is the logic's to set: undo Qt's own toggle before the handler runs.
  connect(menus_["N9"], &QAction::triggered, this,
          [this] { menus_["N9"]->setChecked(form_->ItemChecked(pemrin::MenuItem::N9)); });
  Connect("Exit1", [&form] { form.Exit1Click(); });
  Connect("N1", [&form] { form.N1Click(); });
  Connect("N12", [&form] { form.N1Click(); });
  Connect("color2", [&form] { form.Color1Click(); });
  Connect("Color1", [&form] { form.Color1Click(); });
  Connect("New1", [&form] { form.New1Click(); });
  Connect("Template1", [&form] { form.Template1Click(); });
  ConnectSearchAndCommands();
  ConnectSettingsAndHelp();
}

void QtMainWindow::ConnectEditor() {
  pemrin::TForm1& form = *form_;
  richEdit_->onKeyDown = [&form](int& key, pemrin::ShiftState shift) {
    form.Run([&] { form.RichEdit1KeyDown(key, shift); });
  };
  richEdit_->onKeyPress = [&form](char& key) { form.Run([&] { form.RichEdit1KeyPress(key); }); };
  richEdit_->onKeyUp = [&form](int key, pemrin::ShiftState shift) {
    form.Run([&] { form.RichEdit1KeyUp(key, shift); });
  };
  richEdit_->onMouseDown = [&form] { form.Run([&] { form.RichEdit1MouseDown(); }); };
  richEdit_->onFilesDropped = [&form](const std::vector<std::string>& paths) {
    form.Run([&] { form.DropFiles(paths); });
  };
  richEdit_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(richEdit_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { menus_.popup->exec(richEdit_->viewport()->mapToGlobal(at)); });
}

void QtMainWindow::Start() {
  form_->Run([this] { form_->FormShow(); });
  started_ = true;
  show();
}

// --- Events ----------------------------------------------------------------------------------

void QtMainWindow::closeEvent(QCloseEvent* event) {
  if (form_->FormClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void QtMainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  form_->Run([this] { form_->FormResize(); });
}

void QtMainWindow::paintEvent(QPaintEvent* event) {
  QMainWindow::paintEvent(event);
  if (started_) form_->Run([this] { form_->FormPaint(); });
}

void QtMainWindow::mousePressEvent(QMouseEvent* event) {
  QMainWindow::mousePressEvent(event);
  form_->Run([this] { form_->FormClick(); });
}

void QtMainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void QtMainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths = LocalFiles(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  form_->Run([&] { form_->DropFiles(paths); });
}

// --- Platform --------------------------------------------------------------------------------

void QtMainWindow::SetCaption(const std::string& caption) {
  // Every change of the text sets the caption; Replace All makes thousands of changes.
  const QString title = Utf8(caption);
  if (title != windowTitle()) setWindowTitle(title);
}

void QtMainWindow::SetStatusText(const std::string& text) {
  statusText_->setText(Utf8(text));
}

QAction* QtMainWindow::ActionOf(pemrin::MenuItem item) const {
  switch (item) {
    case pemrin::MenuItem::N2:
      return menus_["N2"];
    case pemrin::MenuItem::N9:
      return menus_["N9"];
    case pemrin::MenuItem::WordWrap1:
      return menus_["WordWrap1"];
    case pemrin::MenuItem::Undo1:
      return menus_["Undo1"];
    case pemrin::MenuItem::Cut1:
      return menus_["Cut1"];
    case pemrin::MenuItem::Copy1:
      return menus_["Copy1"];
    case pemrin::MenuItem::Paste1:
      return menus_["Paste1"];
    case pemrin::MenuItem::Delete1:
      return menus_["Delete1"];
  }
  return nullptr;
}

void QtMainWindow::SetItemEnabled(pemrin::MenuItem item, bool enabled) {
  if (QAction* action = ActionOf(item)) action->setEnabled(enabled);
}

void QtMainWindow::SetItemChecked(pemrin::MenuItem item, bool checked) {
  if (QAction* action = ActionOf(item)) action->setChecked(checked);
}

pemrin::WindowGeometry QtMainWindow::Geometry() const {
  pemrin::WindowGeometry geometry;
  geometry.top = pos().y();
  geometry.left = pos().x();
  geometry.clientHeight = height() - menuBar()->height();
  geometry.clientWidth = width();
  return geometry;
}

void QtMainWindow::SetGeometry(const pemrin::WindowGeometry& geometry) {
  move(geometry.left, geometry.top);
  resize(geometry.clientWidth, geometry.clientHeight + menuBar()->sizeHint().height());
}

// The window's own controls, not the window: a disabled window would disable the dialogs it
// owns as well.
void QtMainWindow::SetMainWindowEnabled(bool enabled) {
  menuBar()->setEnabled(enabled);
  centralWidget()->setEnabled(enabled);
  statusBar()->setEnabled(enabled);
}

void QtMainWindow::CloseMainWindow() {
  close();
}

void QtMainWindow::CreateSplash() {
  splash_ = std::make_unique<SplashWindow>(this);
}

void QtMainWindow::ShowSplash() {
  if (splash_) splash_->ShowCentred();
}

void QtMainWindow::DestroySplash() {
  splash_.reset();
}

void QtMainWindow::ProcessEvents() {
  QCoreApplication::processEvents();
}

void QtMainWindow::Sleep(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::string QtMainWindow::ExecutablePath() const {
  if (!programPath_.isEmpty()) return programPath_.toStdString();
  return QCoreApplication::applicationFilePath().toStdString();
}

std::vector<std::string> QtMainWindow::Arguments() const {
  std::vector<std::string> list;
  for (const QString& argument : arguments_) list.push_back(argument.toStdString());
  return list;
}

void QtMainWindow::ShowError(const std::string& message) {
  ShowErrorBox(this, Utf8(message));
}

pemrin::MsgResult QtMainWindow::MessageBox(const std::string& text, const std::string& caption,
                                           pemrin::MsgButtons buttons, pemrin::MsgIcon icon) {
  QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
  if (icon == pemrin::MsgIcon::Warning) qtIcon = QMessageBox::Warning;
  if (icon == pemrin::MsgIcon::Error) qtIcon = QMessageBox::Critical;
  if (icon == pemrin::MsgIcon::Information) qtIcon = QMessageBox::Information;
  QMessageBox::StandardButtons qtButtons = QMessageBox::Ok;
  if (buttons == pemrin::MsgButtons::YesNo) qtButtons = QMessageBox::Yes | QMessageBox::No;
  if (buttons == pemrin::MsgButtons::RetryCancel) {
    qtButtons = QMessageBox::Retry | QMessageBox::Cancel;
  }
  QMessageBox box(qtIcon, Utf8(caption), Utf8(text), qtButtons, this);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return pemrin::MsgResult::Yes;
    case QMessageBox::No:
      return pemrin::MsgResult::No;
    case QMessageBox::Retry:
      return pemrin::MsgResult::Retry;
    case QMessageBox::Ok:
      return pemrin::MsgResult::Ok;
    default:
      return pemrin::MsgResult::Cancel;
  }
}

void QtMainWindow::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(pemrin::kAppTitle), Utf8(text),
                  QMessageBox::Ok, this);
  box.exec();
}

void QtMainWindow::Exit(int code) {
  std::exit(code);
}

std::optional<std::string> QtMainWindow::OpenFileDialog(const std::string& fileName,
                                                        const std::string& initialDir) {
  return RunFileDialog(this, QFileDialog::AcceptOpen, Filters(kOpenFilters), fileName, initialDir);
}

std::optional<pemrin::TColor> QtMainWindow::ChooseColor() {
  if (!colorDialog_) {
    colorDialog_ = new QColorDialog(QColor(0, 0, 0), this);
    colorDialog_->setObjectName("ColorDialog1");
  }
  if (colorDialog_->exec() != QDialog::Accepted) return std::nullopt;
  return TColorFromQColor(colorDialog_->selectedColor());
}

void QtMainWindow::ShowNewTemplateDialog() {
  NewTemplateDialog dialog(*form_, this);
  dialog.exec();
}

void QtMainWindow::ShowSaveTemplateDialog() {
  SaveTemplateDialog dialog(*form_, this);
  dialog.exec();
}

std::optional<std::string> QtMainWindow::SaveFileDialog(const std::string& fileName,
                                                        const std::string& initialDir) {
  return RunFileDialog(this, QFileDialog::AcceptSave, Filters(kSaveFilters), fileName, initialDir);
}

}  // namespace pemrin::qt
