#include "ui/Component.h"

namespace kv::ui {

Component::Component(Component* owner) { setOwner(owner); }

Component::~Component() {
    beginDestroy();
    while (!owned_.empty()) {
        std::unique_ptr<Component> last = std::move(owned_.back());
        owned_.pop_back();
        last.reset();
    }
    for (Component* c : components_) c->owner_ = nullptr;
    components_.clear();
    setOwner(nullptr);
    for (Component* w : watching_) std::erase(w->watchers_, this);
    for (Component** r : refs_) *r = nullptr;
}

void Component::beginDestroy() {
    if (destroying_) return;
    destroying_ = true;
    std::vector<Component*> watchers = watchers_;
    for (Component* w : watchers) {
        std::erase(w->watching_, this);
        w->Notification(*this, Operation::Remove);
    }
    watchers_.clear();
}

void Component::setOwner(Component* owner) {
    if (owner == owner_) return;
    if (owner_) owner_->removeComponent(this);
    owner_ = owner;
    if (owner_) owner_->insertComponent(this);
}

void Component::insertComponent(Component* c) {
    components_.push_back(c);
    Notification(*c, Operation::Insert);
}

void Component::removeComponent(Component* c) {
    std::erase(components_, c);
    auto it = std::find_if(owned_.begin(), owned_.end(), [&](auto& p) { return p.get() == c; });
    if (it != owned_.end()) it->release();  // the component leaves on its own
    if (it != owned_.end()) owned_.erase(it);
    if (!destroying_) Notification(*c, Operation::Remove);
}

Component* Component::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (Component* c : components_)
        if (c->Name == name) return c;
    return nullptr;
}

void Component::beginLoading() {
    loading_ = true;
    for (Component* c : components_) c->beginLoading();
}

void Component::finishLoading() {
    for (Component* c : components_) c->finishLoading();
    if (!loading_) return;
    loading_ = false;
    Loaded();
}

void Component::FreeNotification(Component& other) {
    if (&other == this || std::find(other.watchers_.begin(), other.watchers_.end(), this) != other.watchers_.end())
        return;
    other.watchers_.push_back(this);
    watching_.push_back(&other);
}

void Component::RemoveFreeNotification(Component& other) {
    std::erase(other.watchers_, this);
    std::erase(watching_, &other);
}

void Component::Notification(Component&, Operation) {}

}  // namespace kv::ui
