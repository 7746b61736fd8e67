// A freshly started shell on the fakes for every test: the four forms exist,
// the main window is showing, and the globals are reset afterwards.
#pragma once

#include <gtest/gtest.h>

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "app/Startup.h"
#include "feedback/FeedbackForm.h"
#include "media/CreateDisketteForm.h"
#include "media/DisketteWriter.h"
#include "tests/fakes/FakeKernel.h"
#include "tests/fakes/FakeShell.h"
#include "tests/fakes/TestBackend.h"

namespace fakes {

// Keeps the cause it is told and, when `showsCause` is set, hands it to the
// window as the Linux program's diagnostics do.
class KeptDiagnostics final : public sys::Diagnostics {
public:
    bool showsCause = false;
    void Cause(const std::string& text) override { cause_ = text; }
    std::string Failed(const std::string&) override {
        std::string shown = showsCause ? cause_ : std::string();
        cause_.clear();
        return shown;
    }

private:
    std::string cause_;
};

class AppFixture : public ::testing::Test {
protected:
    FakeKernel kernel;
    FakeShell shell;
    FakeLocale locale;
    KeptDiagnostics diagnostics;
    sys::Services services{kernel, shell, locale, diagnostics};
    TestBackend backend;
    forms::Application app{backend};

    void SetUp() override {
        ResetGlobals();
        ASSERT_EQ(DorvaneMain(app, services), 0);
    }
    void TearDown() override { ResetGlobals(); }

public:
    static void ResetGlobals() {
        Form1 = nullptr;
        Form2 = nullptr;
        About = nullptr;
        FeedbackForm = nullptr;
        IsWin9xPlatform = true;
        media::DiskettePlatformIsWin9x = false;
    }
};

}  // namespace fakes
