#pragma once
// The main menu and the editor's popup menu: captions with their mnemonics, shortcuts and
// check marks. Each item is a QAction named after its component (New1, N2, WordWrap1, ...).

#include <QHash>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;

namespace pemrin::qt {

struct Menus {
  QMenu* file = nullptr;
  QMenu* edit = nullptr;
  QMenu* search = nullptr;
  QMenu* help = nullptr;
  QMenu* popup = nullptr;
  QHash<QString, QAction*> actions;  // by component name

  QAction* operator[](const QString& name) const { return actions.value(name); }
};

// Builds both menus on the window; every item starts disabled until a handler is connected,
// except those the table marks enabled.
Menus BuildMenus(QMainWindow* window);

}  // namespace pemrin::qt
