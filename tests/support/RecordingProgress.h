#pragma once
// A progress window for tests: records what was shown, in order, and the
// amount stepped.
#include <string>
#include <vector>

#include "ui/WaitProgress.h"

namespace kv::test {

class RecordingProgress : public WaitProgress {
public:
    void showWaitWindow(const std::string& text, bool, bool) override {
        events.push_back("show " + text);
        exists = true;
    }
    void hideWaitWindow() override {}
    void closeWaitWindow() override {
        if (exists) events.push_back("close");
        exists = false;
    }
    bool waitWindowExists() const override { return exists; }
    void setWaitText(const std::string& text) override { events.push_back("text " + text); }
    void setWaitTotal(double amount) override {
        total = amount;
        done = 0;
    }
    void stepWaitProgress(double amount) override { done += amount; }
    bool cancelPressed() const override { return false; }
    void setCancelProc(std::function<void()>) override {}

    std::vector<std::string> events;
    bool exists = false;
    double total = 0;
    double done = 0;
};

}  // namespace kv::test
