#include "FindReplaceDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "Cp932Codec.h"

namespace pemrin::qt {

namespace {

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// Drops the last character of text, a surrogate pair whole.
void ChopCharacter(QString& text) {
  int n = 1;
  if (text.size() >= 2 && text.back().isLowSurrogate() && text[text.size() - 2].isHighSurrogate()) {
    n = 2;
  }
  text.chop(n);
}

}  // namespace

FindReplaceDialog::FindReplaceDialog(Kind kind, QWidget* parent)
    : QDialog(parent), kind_(kind), measure_([](QStringView text) {
        return static_cast<int>(EncodeCp932(ToCp932Storable(text)).size());
      }) {
  const bool replacing = kind == Kind::Replace;
  setObjectName(replacing ? "ReplaceDialog1" : "FindDialog1");
  setWindowTitle(Text(replacing ? "置換" : "検索"));
  setModal(false);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* fields = new QGridLayout;
  auto* findLabel = new QLabel(Text("検索する文字列(&N):"), this);
  find_.edit = new QLineEdit(this);
  find_.edit->setObjectName("findText");
  find_.edit->setMinimumWidth(220);
  findLabel->setBuddy(find_.edit);
  fields->addWidget(findLabel, 0, 0);
  fields->addWidget(find_.edit, 0, 1);
  if (replacing) {
    auto* replaceLabel = new QLabel(Text("置換後の文字列(&P):"), this);
    replace_.edit = new QLineEdit(this);
    replace_.edit->setObjectName("replaceText");
    replaceLabel->setBuddy(replace_.edit);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(replace_.edit, 1, 1);
  }
  wholeWord_ = new QCheckBox(Text("単語単位で探す(&W)"), this);
  wholeWord_->setObjectName("wholeWord");
  matchCase_ = new QCheckBox(Text("大文字と小文字を区別する(&C)"), this);
  matchCase_->setObjectName("matchCase");
  auto* options = new QVBoxLayout;
  options->addSpacing(8);
  options->addWidget(wholeWord_);
  options->addWidget(matchCase_);
  options->addStretch();

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addLayout(options);

  auto* buttons = new QVBoxLayout;
  findNext_ = new QPushButton(Text("次を検索(&F)"), this);
  findNext_->setObjectName("findNext");
  findNext_->setDefault(true);
  buttons->addWidget(findNext_);
  if (replacing) {
    replaceButton_ = new QPushButton(Text("置換して次に(&R)"), this);
    replaceButton_->setObjectName("replace");
    replaceAll_ = new QPushButton(Text("すべて置換(&A)"), this);
    replaceAll_->setObjectName("replaceAll");
    buttons->addWidget(replaceButton_);
    buttons->addWidget(replaceAll_);
  }
  cancel_ = new QPushButton(Text("キャンセル"), this);
  cancel_->setObjectName("cancel");
  buttons->addWidget(cancel_);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Tab runs through the texts, the options, then the buttons.
  QWidget* order[] = {find_.edit, replace_.edit,  wholeWord_,  matchCase_,
                      findNext_,  replaceButton_, replaceAll_, cancel_};
  QWidget* previous = nullptr;
  for (QWidget* widget : order) {
    if (!widget) continue;
    if (previous) setTabOrder(previous, widget);
    previous = widget;
  }

  connect(findNext_, &QPushButton::clicked, this, &FindReplaceDialog::findNextRequested);
  if (replacing) {
    connect(replaceButton_, &QPushButton::clicked, this, &FindReplaceDialog::replaceRequested);
    connect(replaceAll_, &QPushButton::clicked, this, &FindReplaceDialog::replaceAllRequested);
  }
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  for (LimitedText* text : {&find_, &replace_}) {
    if (!text->edit) continue;
    connect(text->edit, &QLineEdit::textChanged, this, [this, text] {
      Limit(*text);
      UpdateButtons();
      emit contentsChanged();
    });
  }
  connect(wholeWord_, &QCheckBox::toggled, this, &FindReplaceDialog::contentsChanged);
  connect(matchCase_, &QCheckBox::toggled, this, &FindReplaceDialog::contentsChanged);
  UpdateButtons();
}

void FindReplaceDialog::ShowAt(int x, int y) {
  move(x, y);
  if (!isVisible()) show();
  raise();
  activateWindow();
  find_.edit->setFocus(Qt::OtherFocusReason);
  find_.edit->selectAll();
}

QString FindReplaceDialog::FindText() const {
  return find_.edit->text();
}

void FindReplaceDialog::SetFindText(const QString& text) {
  find_.edit->setText(text);
}

QString FindReplaceDialog::ReplaceText() const {
  return replace_.edit ? replace_.edit->text() : QString();
}

void FindReplaceDialog::SetReplaceText(const QString& text) {
  if (replace_.edit) replace_.edit->setText(text);
}

bool FindReplaceDialog::MatchCase() const {
  return matchCase_->isChecked();
}

void FindReplaceDialog::SetMatchCase(bool on) {
  matchCase_->setChecked(on);
}

bool FindReplaceDialog::WholeWord() const {
  return wholeWord_->isChecked();
}

void FindReplaceDialog::SetWholeWord(bool on) {
  wholeWord_->setChecked(on);
}

void FindReplaceDialog::SetByteLimit(std::function<int(QStringView)> measure, int limit) {
  measure_ = std::move(measure);
  limit_ = limit;
  find_.accepted.clear();
  replace_.accepted.clear();
  for (LimitedText* text : {&find_, &replace_}) {
    if (text->edit) Limit(*text);
  }
}

// Keeps a text box within the byte limit: of what the last edit put in, only as much as fits
// stays, the rest of the text as it was.
void FindReplaceDialog::Limit(LimitedText& text) {
  const QString now = text.edit->text();
  if (measure_(now) <= limit_) {
    text.accepted = now;
    return;
  }
  const QString& before = text.accepted;
  qsizetype prefix = 0;
  while (prefix < now.size() && prefix < before.size() && now[prefix] == before[prefix]) ++prefix;
  if (prefix > 0 && now[prefix - 1].isHighSurrogate()) --prefix;
  qsizetype suffix = 0;
  const qsizetype common = std::min(now.size(), before.size()) - prefix;
  while (suffix < common && now[now.size() - 1 - suffix] == before[before.size() - 1 - suffix]) {
    ++suffix;
  }
  if (suffix > 0 && now[now.size() - suffix].isLowSurrogate()) --suffix;
  const QString head = now.left(prefix);
  const QString tail = now.right(suffix);
  QString inserted = now.mid(prefix, now.size() - prefix - suffix);
  while (!inserted.isEmpty() && measure_(QString(head + inserted + tail)) > limit_) {
    ChopCharacter(inserted);
  }
  QString result = head + inserted + tail;
  while (!result.isEmpty() && measure_(result) > limit_) ChopCharacter(result);
  text.accepted = result;
  const QSignalBlocker blocker(text.edit);
  text.edit->setText(result);
  text.edit->setCursorPosition(static_cast<int>(prefix + inserted.size()));
}

// As in the classic dialogs, there is nothing to search for without a find text.
void FindReplaceDialog::UpdateButtons() {
  const bool any = !find_.edit->text().isEmpty();
  findNext_->setEnabled(any);
  if (replaceButton_) replaceButton_->setEnabled(any);
  if (replaceAll_) replaceAll_->setEnabled(any);
}

void FindReplaceDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) emit shown();
}

void FindReplaceDialog::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous()) emit closed();
}

}  // namespace pemrin::qt
