#pragma once
// Components: a name, a tag and an owner that knows its components in creation
// order, destroys the ones handed to it (newest first) and tells watchers when
// one goes. Also the loading / loaded / destroying states: a form built in code
// calls finishLoading() once every property is set.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace kv::ui {

enum class Operation { Insert, Remove };

class Component {
public:
    explicit Component(Component* owner = nullptr);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    std::string Name;
    int Tag = 0;

    Component* Owner() const { return owner_; }
    void setOwner(Component* owner);
    // The owner destroys it, newest first, when the owner goes.
    template <class T>
    T& adopt(std::unique_ptr<T> component) {
        T& ref = *component;
        ref.setOwner(this);
        owned_.push_back(std::move(component));
        return ref;
    }
    const std::vector<Component*>& Components() const { return components_; }
    template <class T>
    std::vector<T*> ComponentsOfType() const {
        std::vector<T*> out;
        for (Component* c : components_)
            if (auto* t = dynamic_cast<T*>(c)) out.push_back(t);
        return out;
    }
    Component* FindComponent(const std::string& name) const;

    bool loading() const { return loading_; }
    bool destroying() const { return destroying_; }
    void beginLoading();
    // Ends loading of this component and every one it owns, calling Loaded().
    void finishLoading();

    // Asks to hear (through Notification) when other goes away.
    void FreeNotification(Component& other);
    void RemoveFreeNotification(Component& other);

protected:
    virtual void Loaded() {}
    virtual void Notification(Component& component, Operation operation);
    // Derived destructors call this first, so watchers hear of the whole object.
    void beginDestroy();

private:
    template <class T>
    friend class ComponentRef;
    void insertComponent(Component* c);
    void removeComponent(Component* c);

    Component* owner_ = nullptr;
    std::vector<Component*> components_;
    std::vector<std::unique_ptr<Component>> owned_;
    std::vector<Component*> watchers_;
    std::vector<Component*> watching_;
    std::vector<Component**> refs_;
    bool loading_ = false;
    bool destroying_ = false;
};

// A weak reference: null once the component is destroyed.
template <class T>
class ComponentRef {
public:
    ComponentRef() = default;
    explicit ComponentRef(T* c) { reset(c); }
    ~ComponentRef() { reset(); }
    ComponentRef(const ComponentRef& o) { reset(o.get()); }
    ComponentRef& operator=(const ComponentRef& o) {
        reset(o.get());
        return *this;
    }
    ComponentRef& operator=(T* c) {
        reset(c);
        return *this;
    }
    T* get() const { return static_cast<T*>(target_); }
    T* operator->() const { return get(); }
    explicit operator bool() const { return target_ != nullptr; }
    void reset(T* c = nullptr) {
        if (target_) std::erase(target_->refs_, &target_);
        target_ = c;
        if (target_) target_->refs_.push_back(&target_);
    }

private:
    Component* target_ = nullptr;
};

}  // namespace kv::ui
