#include "Menus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace pemrin::qt {

namespace {

struct ItemSpec {
  const char* name;
  const char* caption;  // "-" for a separator
  const char* shortcut;
  bool checkable;
  bool checked;
};

const ItemSpec kFileItems[] = {
    {"New1", "新規(&N)", "Ctrl+N", false, false},
    {"Open1", "開く(&O)...", "Ctrl+O", false, false},
    {"N2", "上書き保存(&S)", "Ctrl+S", false, false},
    {"SaveAs1", "名前を付けて保存(&A)...", "", false, false},
    {"Template1", "テンプレートとして保存", "", false, false},
    {"N3", "-", "", false, false},
    {"Font1", "フォント設定(&F)...", "", false, false},
    {"N7", "印刷設定(&T)", "", false, false},
    {"Print1", "印刷(&P)", "Ctrl+P", false, false},
    {"N9", "スプラッシュウィンドウを表示", "", true, true},
    {"N4", "-", "", false, false},
    {"Exit1", "終了(&X)", "", false, false},
};

const ItemSpec kEditItems[] = {
    {"Undo1", "元に戻す(&U)", "Ctrl+Z", false, false},
    {"N5", "-", "", false, false},
    {"Cut1", "切り取り(&T)", "Ctrl+X", false, false},
    {"Copy1", "コピー(&C)", "Ctrl+C", false, false},
    {"Paste1", "貼り付け(&P)", "Ctrl+V", false, false},
    {"Delete1", "削除(&L)", "", false, false},
    {"SelectAll1", "すべて選択(&A)", "Ctrl+A", false, false},
    {"N6", "-", "", false, false},
    {"N1", "タグ色つけ(&C)", "Ctrl+L", false, false},
    {"color2", "16進カラーコード挿入", "Shift+F1", false, false},
    {"N8", "-", "", false, false},
    {"WordWrap1", "右端で折り返す(&W)", "Shift+F2", true, false},
};

const ItemSpec kSearchItems[] = {
    {"Find2", "検索(&F)...", "Ctrl+F", false, false},
    {"FindNext1", "次を検索(&N)", "F3", false, false},
    {"Replace1", "置換(&R)...", "", false, false},
};

const ItemSpec kHelpItems[] = {
    {"A2", "ヴァージョン情報(&A)", "", false, false},
};

const ItemSpec kPopupItems[] = {
    {"Undo2", "元に戻す", "", false, false},
    {"N10", "-", "", false, false},
    {"Cut2", "切り取り", "", false, false},
    {"Copy2", "コピー", "", false, false},
    {"Paste2", "貼り付け", "", false, false},
    {"Delete2", "削除", "", false, false},
    {"SelectAll2", "すべて選択", "", false, false},
    {"N11", "-", "", false, false},
    {"N12", "タグ色つけ", "", false, false},
    {"Color1", "16進カラーコード挿入", "", false, false},
};

template <std::size_t N>
void AddItems(QMenu* menu, const ItemSpec (&items)[N], Menus& menus) {
  for (const ItemSpec& item : items) {
    if (QString(item.caption) == "-") {
      menu->addSeparator()->setObjectName(item.name);
      continue;
    }
    QAction* action = menu->addAction(QString::fromUtf8(item.caption));
    action->setObjectName(item.name);
    if (*item.shortcut) action->setShortcut(QKeySequence(QString::fromUtf8(item.shortcut)));
    // A shortcut belongs to the window, whichever of its widgets has the focus.
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(item.checkable);
    action->setChecked(item.checked);
    // Disabled until a handler is connected: no item pretends to work.
    action->setEnabled(false);
    menus.actions.insert(item.name, action);
  }
}

}  // namespace

Menus BuildMenus(QMainWindow* window) {
  Menus menus;
  QMenuBar* bar = window->menuBar();
  menus.file = bar->addMenu(QString::fromUtf8("ファイル(&F)"));
  menus.file->setObjectName("File1");
  AddItems(menus.file, kFileItems, menus);
  menus.edit = bar->addMenu(QString::fromUtf8("編集(&E)"));
  menus.edit->setObjectName("Edit1");
  AddItems(menus.edit, kEditItems, menus);
  menus.search = bar->addMenu(QString::fromUtf8("検索(&S)"));
  menus.search->setObjectName("Find1");
  AddItems(menus.search, kSearchItems, menus);
  menus.help = bar->addMenu(QString::fromUtf8("ヘルプ(&H)"));
  menus.help->setObjectName("Help");
  AddItems(menus.help, kHelpItems, menus);
  menus.popup = new QMenu(window);
  menus.popup->setObjectName("PopupMenu1");
  AddItems(menus.popup, kPopupItems, menus);
  return menus;
}

}  // namespace pemrin::qt
