#pragma once
// Shared set-up of the window tests: a scripted prompt service in place of the
// message boxes, restored afterwards.
#include <gtest/gtest.h>

#include "ui/Application.h"
#include "tests/support/ScriptedPrompt.h"

class UiTest : public ::testing::Test {
protected:
    void SetUp() override { app().setPrompt(&prompt); }
    void TearDown() override {
        app().setPrompt(nullptr);
        app().onIdle = nullptr;
        app().setMainForm(nullptr);
        // A destroyed main form leaves WM_QUIT behind; the next test starts clean.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT) DispatchMessageA(&msg);
    }
    static kv::ui::Application& app() { return kv::ui::Application::instance(); }

    kv::ui::ScriptedPrompt prompt;
};
