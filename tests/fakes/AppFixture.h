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

class AppFixture : public ::testing::Test {
protected:
    FakeKernel kernel;
    FakeShell shell;
    FakeLocale locale;
    sys::Services services{kernel, shell, locale};
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
