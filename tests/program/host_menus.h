// Menu entries of a window's own menu bar on the Qt host, for tests that
// choose them as a click there does.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>

#include "framework/qt/host.h"

// The entry whose text (less its shortcut) is entry, in the menu titled menu
// (any menu when empty); each menu searched is first brought up to date, as
// opening it does. Nil when there is none.
inline QAction* MenuEntry(fw::QtHostWindow& top, const QString& entry, const QString& menu = {}) {
    for (QAction* title : top.menuBar()->actions()) {
        if (!title->menu() || (!menu.isEmpty() && title->text() != menu)) continue;
        emit title->menu()->aboutToShow();
        for (QAction* a : title->menu()->actions())
            if (a->text().section(QLatin1Char('\t'), 0, 0) == entry) return a;
    }
    return nullptr;
}
