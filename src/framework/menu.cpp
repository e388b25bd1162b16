#include "menu.h"

namespace fw {

void MenuItem::Append(std::shared_ptr<MenuItem> item) {
    if (item) items_.push_back(std::move(item));
}

std::shared_ptr<MenuItem> MenuItem::Child(const std::string& name) const {
    for (const auto& item : items_)
        if (item->Name == name) return item;
    return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Lookup(const std::string& name) const {
    for (const auto& item : items_) {
        if (item->Name == name) return item;
        if (auto found = item->Lookup(name)) return found;
    }
    return nullptr;
}

}  // namespace fw
