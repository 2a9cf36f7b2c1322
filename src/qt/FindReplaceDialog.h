#pragma once
// The modeless find and replace dialogs, in the manner of the classic common dialogs: a find
// text, match case and whole word; the replace dialog adds a replace text and the Replace and
// Replace All buttons. The dialog decides nothing: its buttons only raise signals, and it keeps
// its texts and options for as long as it lives.

#include <QDialog>
#include <QString>
#include <QStringView>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace pemrin::qt {

class FindReplaceDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Kind { Find, Replace };

  explicit FindReplaceDialog(Kind kind, QWidget* parent = nullptr);

  Kind DialogKind() const { return kind_; }

  // Opens the dialog with its top-left corner at (x, y) on the screen, or moves it there and
  // brings it to the front when it is open; the focus goes to the find text, all of it selected.
  void ShowAt(int x, int y);

  QString FindText() const;
  void SetFindText(const QString& text);
  QString ReplaceText() const;
  void SetReplaceText(const QString& text);
  bool MatchCase() const;
  void SetMatchCase(bool on);
  bool WholeWord() const;
  void SetWholeWord(bool on);

  // How many bytes a text takes in the buffer behind each text box, and how many fit; what is
  // typed or pasted beyond the limit is cut, as in a text box with a text limit. By default
  // code page 932 bytes, 255 of them.
  void SetByteLimit(std::function<int(QStringView)> measure, int limit);

 signals:
  void findNextRequested();
  void replaceRequested();
  void replaceAllRequested();
  // A text or an option changed, by the user or by a setter.
  void contentsChanged();
  // The dialog came on screen; it left the screen, whichever way it was closed.
  void shown();
  void closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  struct LimitedText {
    QLineEdit* edit = nullptr;
    QString accepted;  // the text as it stood within the limit
  };
  void Limit(LimitedText& text);
  void UpdateButtons();

  Kind kind_;
  LimitedText find_;
  LimitedText replace_;
  QCheckBox* wholeWord_;
  QCheckBox* matchCase_;
  QPushButton* findNext_;
  QPushButton* replaceButton_ = nullptr;
  QPushButton* replaceAll_ = nullptr;
  QPushButton* cancel_;
  std::function<int(QStringView)> measure_;
  int limit_ = 255;
};

}  // namespace pemrin::qt
