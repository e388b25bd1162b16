// Menus: a bar of titles, each with its items. Items are found and menu
// handlers bound by Name.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "types.h"

namespace fw {

class MenuItem : public std::enable_shared_from_this<MenuItem> {
public:
    virtual ~MenuItem() = default;

    std::string Name;
    std::string Text;
    std::string KeyboardShortcut;  // "Cmd+Q" style; Cmd is the platform's command key
    bool AutoEnable = true;
    bool Enabled = true;

    void Enable() { Enabled = true; }
    void Append(std::shared_ptr<MenuItem> item);
    // A direct child by name, or nil.
    std::shared_ptr<MenuItem> Child(const std::string& name) const;
    // An item by name anywhere below this one, or nil.
    std::shared_ptr<MenuItem> Lookup(const std::string& name) const;
    // The walks below visit every item under this one depth first, in tree
    // order: an item, then its own items, then its next sibling.
    // Calls visit with each item and the item it belongs to.
    void ForEach(const std::function<void(MenuItem& item, const MenuItem& parent)>& visit) const;
    // The first item for which match holds, or nil.
    std::shared_ptr<MenuItem> Find(const std::function<bool(const MenuItem&)>& match) const;
    const std::vector<std::shared_ptr<MenuItem>>& Items() const { return items_; }

    bool IsSeparator() const { return Text == "-"; }
    virtual bool IsQuitItem() const { return false; }
    virtual bool IsAboutItem() const { return false; }

private:
    std::vector<std::shared_ptr<MenuItem>> items_;
};

// Quits the application when chosen and nothing else handles it.
class QuitMenuItem : public MenuItem {
public:
    bool IsQuitItem() const override { return true; }
};

// The item that tells about the application.
class AppleMenuItem : public MenuItem {
public:
    bool IsAboutItem() const override { return true; }
};

class MenuBar : public MenuItem {};

using MenuItemPtr = std::shared_ptr<MenuItem>;

}  // namespace fw
