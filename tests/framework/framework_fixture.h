// Shared scaffolding for the framework tests: a fresh application object per
// test and pixel helpers that print readably when a check fails.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "framework/application.h"
#include "framework/window.h"

namespace fwtest {

// An application whose menu-enabling step the test can observe.
class TestApp : public fw::Application {
public:
    std::function<void()> onEnableMenuItems;
    void Event_EnableMenuItems() override {
        if (onEnableMenuItems) onEnableMenuItems();
    }
};

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<TestApp>();
        unhandledAtStart = fw::Application::UnhandledCount();
    }
    void TearDown() override { app.reset(); }

    // Exceptions caught by the framework since the test began.
    int Unhandled() const { return fw::Application::UnhandledCount() - unhandledAtStart; }

    std::unique_ptr<TestApp> app;
    int unhandledAtStart = 0;
};

inline std::string Hex(fw::Color c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r & 0xFF, c.g & 0xFF, c.b & 0xFF);
    return buf;
}

// The colour of one pixel of the window's image, as "#rrggbb".
inline std::string At(const fw::Window& w, int x, int y) {
    return Hex(fw::Color::FromRgb32(w.Image().pixel(x, y)));
}

constexpr fw::Color kRed{255, 0, 0};
constexpr fw::Color kGreen{0, 255, 0};
constexpr fw::Color kBlue{0, 0, 255};
constexpr fw::Color kYellow{255, 255, 0};

}  // namespace fwtest
