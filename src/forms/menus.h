#pragma once

#include <QAction>
#include <QMenu>
#include <QString>

namespace motoreckon {

// A submenu of a menu bar or of a menu; the submenu and the entry that opens it both carry
// `name`, so code and tests find either by it.
template <class MenuOrBar>
QMenu* addSubmenu(MenuOrBar* parent, const char* name, const QString& caption) {
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

// An entry of a menu, named `name`.
inline QAction* addEntry(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

}  // namespace motoreckon
