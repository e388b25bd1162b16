// The application's menus on the Qt host: Qt menu bars built from its menu
// bar and brought up to date as they open, and the rules by which typed keys
// choose menu items.
#pragma once

#include <QKeySequence>
#include <QString>
#include <memory>
#include <string>

#include "framework/menu.h"

class QMenuBar;

namespace fw {

#ifdef Q_OS_MACOS
// macOS shows one menu bar for the whole application.
inline constexpr bool kAppWideMenuBar = true;
#else
inline constexpr bool kAppWideMenuBar = false;
#endif

// "Cmd+Shift+Z" style shortcut as Qt's key sequence; empty when unreadable.
// Cmd is the platform's command key: Qt's Ctrl, which on macOS is Command.
QKeySequence ShortcutToKeySequence(const std::string& shortcut);
// Whether a typed key (modifiers and key) is the shortcut.
bool ShortcutMatches(const QKeySequence& shortcut, QKeyCombination typed);
// Menu text shown as written: '&' is no mnemonic marker.
QString MenuItemText(const std::string& text);
// The item a typed key chooses below root: the first in tree order whose
// shortcut it matches, or nil.
MenuItemPtr ItemForKey(const MenuItem& root, QKeyCombination typed);

// Replaces what bar shows with the menus of items (nothing when nil). Each
// menu brings its entries up to date as it opens; an entry chosen goes to the
// application of the running host.
void BuildMenuBar(QMenuBar& bar, const std::shared_ptr<MenuBar>& items);
// Chooses the item a typed key names in app's menus; whether there was one.
// A disabled item takes the key and does nothing.
bool ChooseByShortcut(Application& app, QKeyCombination typed);

}  // namespace fw
