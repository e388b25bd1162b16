#include "menu.h"

namespace fw {

namespace {

// The one walk of the tree: depth first, in tree order, until stop holds.
const std::shared_ptr<MenuItem>* Walk(const MenuItem& parent,
                                      const std::function<bool(MenuItem&, const MenuItem&)>& stop) {
    for (const auto& item : parent.Items()) {
        if (stop(*item, parent)) return &item;
        if (const auto* found = Walk(*item, stop)) return found;
    }
    return nullptr;
}

}  // namespace

void MenuItem::Append(std::shared_ptr<MenuItem> item) {
    if (item) items_.push_back(std::move(item));
}

std::shared_ptr<MenuItem> MenuItem::Child(const std::string& name) const {
    for (const auto& item : items_)
        if (item->Name == name) return item;
    return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Lookup(const std::string& name) const {
    return Find([&](const MenuItem& item) { return item.Name == name; });
}

void MenuItem::ForEach(const std::function<void(MenuItem& item, const MenuItem& parent)>& visit) const {
    Walk(*this, [&](MenuItem& item, const MenuItem& parent) {
        visit(item, parent);
        return false;
    });
}

std::shared_ptr<MenuItem> MenuItem::Find(const std::function<bool(const MenuItem&)>& match) const {
    const auto* found = Walk(*this, [&](MenuItem& item, const MenuItem&) { return match(item); });
    return found ? *found : nullptr;
}

}  // namespace fw
