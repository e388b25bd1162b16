#include "framework/qt/menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

#include "framework/application.h"
#include "framework/qt/host.h"

namespace fw {

namespace {

// A menu entry or submenu that remembers its item, so that its state can be synced.
template <class Entry, class Parent>
class ItemEntry : public Entry {
public:
    ItemEntry(const std::shared_ptr<MenuItem>& item, Parent* parent) : Entry(parent), item_(item) {}
    std::shared_ptr<MenuItem> Item() const { return item_.lock(); }

private:
    std::weak_ptr<MenuItem> item_;
};
using ItemAction = ItemEntry<QAction, QObject>;
using ItemMenu = ItemEntry<QMenu, QWidget>;

// The shortcut is shown after a tab, as display text only: no Qt shortcut is
// registered, so every key goes through our own handling (menus brought up to
// date first, disabled items inert) and nothing fires twice.
QString EntryText(const MenuItem& item) {
    QString text = MenuItemText(item.Text);
    const QKeySequence keys = ShortcutToKeySequence(item.KeyboardShortcut);
    if (!keys.isEmpty()) text += QLatin1Char('\t') + keys.toString(QKeySequence::NativeText);
    return text;
}

// The application of the running host, or nil.
Application* RunningApp() {
    QtHost* host = QtHost::Active();
    return host ? host->LiveApp() : nullptr;
}

void Choose(Application& app, const std::shared_ptr<MenuItem>& item) {
    if (!item) return;
    // Whatever led here (menu, key, native key equivalent), the item must be
    // current: a disabled one does nothing.
    app.UpdateMenus();
    if (item->Enabled) app.ChooseMenuItem(item->Name);
}

void FillMenu(QMenu& menu, const MenuItem& parent) {
    // Items are brought up to date each time a menu opens.
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [m = &menu] {
        Application* app = RunningApp();
        if (!app) return;
        app->UpdateMenus();
        for (QAction* a : m->actions()) {
            std::shared_ptr<MenuItem> item;
            if (auto* ia = dynamic_cast<ItemAction*>(a)) item = ia->Item();
            else if (auto* im = dynamic_cast<ItemMenu*>(a->menu())) item = im->Item();
            if (!item) continue;
            a->setEnabled(item->Enabled);
            if (dynamic_cast<ItemAction*>(a)) {
                const QString text = EntryText(*item);
                if (a->text() != text) a->setText(text);
            }
        }
    });
    for (const auto& item : parent.Items()) {
        if (item->IsSeparator()) {
            menu.addSeparator();
            continue;
        }
        if (!item->Items().empty()) {
            auto* sub = new ItemMenu(item, &menu);
            sub->setTitle(MenuItemText(item->Text));
            menu.addMenu(sub);
            FillMenu(*sub, *item);
            continue;
        }
        auto* action = new ItemAction(item, &menu);
        action->setText(EntryText(*item));
        action->setEnabled(item->Enabled);
        // Roles only matter on macOS, where they move items to the application
        // menu; everything else keeps its place.
        action->setMenuRole(item->IsAboutItem()  ? QAction::AboutRole
                            : item->IsQuitItem() ? QAction::QuitRole
                                                 : QAction::NoRole);
        QObject::connect(action, &QAction::triggered, action, [action] {
            if (Application* app = RunningApp())
                if (auto it = action->Item()) Choose(*app, it);
        });
        menu.addAction(action);
    }
}

}  // namespace

// ---- Shortcuts and menu text -------------------------------------------

QKeySequence ShortcutToKeySequence(const std::string& shortcut) {
    if (shortcut.empty()) return {};
    QString s = QString::fromStdString(shortcut).trimmed();
    // The key is what follows the last '+', unless the key itself is '+'.
    QString key;
    QStringList mods;
    if (s.endsWith(QLatin1String("++")) || s == QLatin1String("+")) {
        key = QStringLiteral("+");
        s.chop(s == QLatin1String("+") ? 1 : 2);
    } else {
        const qsizetype cut = s.lastIndexOf(QLatin1Char('+'));
        key = s.mid(cut + 1).trimmed();
        s.truncate(cut < 0 ? 0 : cut);
    }
    if (key.isEmpty()) return {};
    for (const QString& m : s.split(QLatin1Char('+'), Qt::SkipEmptyParts)) {
        const QString lower = m.trimmed().toLower();
        // Qt's "Ctrl" is the Command key on macOS and Control elsewhere.
        if (lower == QLatin1String("cmd") || lower == QLatin1String("command")) mods << QStringLiteral("Ctrl");
        else if (lower == QLatin1String("ctrl") || lower == QLatin1String("control"))
            mods << QString::fromLatin1(kAppWideMenuBar ? "Meta" : "Ctrl");
        else if (lower == QLatin1String("shift")) mods << QStringLiteral("Shift");
        else if (lower == QLatin1String("alt") || lower == QLatin1String("option")) mods << QStringLiteral("Alt");
        else return {};
    }
    mods.removeDuplicates();
    mods << key;
    const QKeySequence seq = QKeySequence::fromString(mods.join(QLatin1Char('+')), QKeySequence::PortableText);
    if (seq.count() != 1 || seq[0].key() == Qt::Key_unknown) return {};
    return seq;
}

bool ShortcutMatches(const QKeySequence& shortcut, QKeyCombination typed) {
    if (shortcut.count() != 1) return false;
    const QKeyCombination want = shortcut[0];
    const Qt::KeyboardModifiers mods = typed.keyboardModifiers() & ~Qt::KeypadModifier;
    if (want.key() != typed.key()) return false;
    if (want.keyboardModifiers() == mods) return true;
    // "Cmd+?" is typed with Shift on most layouts: Shift belongs to the key
    // there, except for letters, where Shift is a modifier of its own.
    const bool letter = typed.key() >= Qt::Key_A && typed.key() <= Qt::Key_Z;
    return !letter && !(want.keyboardModifiers() & Qt::ShiftModifier) &&
           want.keyboardModifiers() == (mods & ~Qt::ShiftModifier);
}

QString MenuItemText(const std::string& text) {
    QString t = QString::fromStdString(text);
    t.replace(QLatin1Char('&'), QLatin1String("&&"));
    return t;
}

MenuItemPtr ItemForKey(const MenuItem& root, QKeyCombination typed) {
    return root.Find([typed](const MenuItem& item) {
        return !item.KeyboardShortcut.empty() && ShortcutMatches(ShortcutToKeySequence(item.KeyboardShortcut), typed);
    });
}

// ---- Menus -------------------------------------------------------------

void BuildMenuBar(QMenuBar& bar, const std::shared_ptr<MenuBar>& items) {
    bar.clear();
    if (!items) return;
    for (const auto& title : items->Items()) {
        auto* menu = new ItemMenu(title, &bar);
        menu->setTitle(MenuItemText(title->Text));
        bar.addMenu(menu);
        FillMenu(*menu, *title);
    }
}

bool ChooseByShortcut(Application& app, QKeyCombination typed) {
    if (!app.MenuBar()) return false;
    const auto item = ItemForKey(*app.MenuBar(), typed);
    if (!item) return false;
    Choose(app, item);
    return true;
}

}  // namespace fw
