#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Component.h"

namespace {

using kv::ui::Component;
using kv::ui::ComponentRef;
using kv::ui::Operation;

std::vector<std::string> gLog;

class Logged : public Component {
public:
    Logged(Component* owner, std::string name) : Component(owner) { Name = std::move(name); }
    ~Logged() override { gLog.push_back("~" + Name); }
    void Loaded() override { gLog.push_back("loaded " + Name + (loading() ? " (still loading)" : "")); }
    void Notification(Component& c, Operation op) override {
        if (op == Operation::Remove) gLog.push_back(Name + " heard " + c.Name);
    }
};

class Dock : public Logged {
public:
    using Logged::Logged;
};

TEST(Component, OwnerDestroysWhatItWasGivenNewestFirst) {
    gLog.clear();
    {
        Logged form(nullptr, "form");
        form.adopt(std::make_unique<Logged>(nullptr, "a"));
        form.adopt(std::make_unique<Dock>(nullptr, "dock"));
        form.adopt(std::make_unique<Logged>(nullptr, "b"));
        Logged member(&form, "member");  // not handed over: leaves on its own
        ASSERT_EQ(form.Components().size(), 4u);
        EXPECT_EQ(form.FindComponent("dock")->Name, "dock");
        EXPECT_EQ(form.FindComponent(""), nullptr);
        EXPECT_EQ(form.ComponentsOfType<Dock>().size(), 1u);
    }
    // The owner hears of a member that leaves; its own components go silently.
    EXPECT_EQ(gLog, (std::vector<std::string>{"~member", "form heard member", "~form", "~b", "~dock", "~a"}));
}

TEST(Component, WeakReferencesAndFreeNotificationsHearOfTheEnd) {
    gLog.clear();
    Logged watcher(nullptr, "toolbar");
    ComponentRef<Logged> ref;
    {
        auto dock = std::make_unique<Dock>(nullptr, "dock");
        ref = dock.get();
        ComponentRef<Logged> copy = ref;
        watcher.FreeNotification(*dock);
        watcher.FreeNotification(*dock);  // once is enough
        EXPECT_EQ(ref.get(), dock.get());
    }
    EXPECT_FALSE(ref);
    EXPECT_EQ(gLog, (std::vector<std::string>{"~dock", "toolbar heard dock"}));

    // A watcher that goes first is forgotten.
    gLog.clear();
    Logged target(nullptr, "target");
    {
        Logged shortLived(nullptr, "short");
        shortLived.FreeNotification(target);
    }
    gLog.clear();
}

TEST(Component, LoadedRunsOnceAfterLoadingForTheWholeTree) {
    gLog.clear();
    Logged form(nullptr, "form");
    Logged list(&form, "list");
    form.beginLoading();
    EXPECT_TRUE(list.loading());
    form.finishLoading();
    form.finishLoading();
    EXPECT_FALSE(list.loading());
    EXPECT_EQ(gLog, (std::vector<std::string>{"loaded list", "loaded form"}));
    gLog.clear();
}

}  // namespace
