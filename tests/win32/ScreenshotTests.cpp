// Pictures of every form as Wine draws it, for docs/screenshots (win-*.png,
// beside the Linux ones), each checked for the colours it must show. The
// run names the folder in DORVANE_SCREENSHOTS; tests/win32/run.sh turns the
// BMP files into PNG.
#include <cstdlib>
#include <functional>
#include <string>

#include "media/DisketteWriter.h"
#include "tests/win32/KernelWithMoment.h"
#include "tests/win32/RenderedApp.h"
#include "tests/win32/ScreenCapture.h"
#include "tests/win32/TestFiles.h"

namespace {

using wintest::Picture;
using namespace std::chrono_literals;

constexpr COLORREF Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255), White = RGB(255, 255, 255);

class Screenshots : public wintest::RenderedApp {
protected:
    wintest::KernelWithMoment kernel;
    std::string folder;

    Screenshots() {
        kernelOverride = &kernel;
        // Windows 98, for the launch layout; its raw writes go through the
        // fake's DOS disk service.
        kernel.platformId = VER_PLATFORM_WIN32_WINDOWS;
        kernel.hasVwin32 = true;
        kernel.transferBuffer = media::DisketteBuffer;
        kernel.files["dsck.tr"] = fakes::Bytes(1408 * 512, 0x20);
    }

    void SetUp() override {
        const char* dir = std::getenv("DORVANE_SCREENSHOTS");
        if (!dir || !*dir) GTEST_SKIP() << "no folder for screenshots (DORVANE_SCREENSHOTS)";
        folder = wintest::windowsPath(dir);
        RenderedApp::SetUp();
        ASSERT_TRUE(pumpUntil([] { return !Form1->Timer1.enabled(); }));
    }

    // Shows only `form` among the secondary forms, in front.
    void present(forms::Form& form) {
        for (forms::Form* other : {static_cast<forms::Form*>(Form2), static_cast<forms::Form*>(About),
                                   static_cast<forms::Form*>(FeedbackForm)})
            if (other != &form) other->setVisible(false);
        form.setVisible(true);
        SetForegroundWindow(window(form));
        settle();
    }

    // The window once the screen stops changing (painting is done).
    Picture steady(HWND hwnd) {
        Picture last = wintest::captureWindow(hwnd), now;
        pumpUntil(
            [&] {
                now = wintest::captureWindow(hwnd);
                return std::exchange(last, now) == now;
            },
            3s);
        return now;
    }

    Picture shoot(HWND hwnd, const std::string& name) {
        UpdateWindow(hwnd);
        const Picture picture = steady(hwnd);
        EXPECT_TRUE(wintest::saveBitmap(picture, folder + "\\win-" + name + ".bmp")) << name;
        return picture;
    }
};

TEST_F(Screenshots, MainWindowInEachTopicAndTheLaunchLayout) {
    present(*Form1);
    const Picture normal = shoot(window(*Form1), "main-normal");
    EXPECT_TRUE(normal.contains(Blue));  // the other topics' labels
    EXPECT_FALSE(normal.contains(Red));  // Welcome is greyed while shown

    const std::pair<forms::Label*, const char*> topics[] = {{&Form1->BenefitsLabel, "main-benefits"},
                                                            {&Form1->HowWorksLabel, "main-how-it-works"},
                                                            {&Form1->NotesLabel, "main-notes"}};
    for (const auto& [label, name] : topics) {
        click(*label);
        const Picture topic = shoot(window(*Form1), name);
        EXPECT_TRUE(topic.contains(Red)) << name;  // Welcome is red once it is clickable again
    }
    click(Form1->WelcomeLabel);
    shoot(window(*Form1), "main-welcome-again");

    chooseMenu("Regeneration", "Start Regeneration");
    const Picture launch = shoot(window(*Form1), "main-launch");
    EXPECT_TRUE(launch.contains(Blue));  // "click here to minimize this window"
    EXPECT_GT(launch.height, normal.height);
}

TEST_F(Screenshots, CreateDisketteDialogInEachState) {
    present(*Form2);
    Form1->CreateDiskette2Click();
    settle();
    shoot(window(*Form2), "create-diskette-information");
    SendMessageA(window(Form2->FirstInformationButton), BM_CLICK, 0, 0);
    settle();
    shoot(window(*Form2), "create-diskette-confirmation");

    // In the middle of the run: the raw area written, the image copy under way.
    Picture writing;
    kernel.atWrite = 5;
    kernel.moment = [&] { writing = shoot(window(*Form2), "create-diskette-writing"); };
    SendMessageA(window(Form2->ContinueCreateDisketteButton), BM_CLICK, 0, 0);
    settle();
    EXPECT_GT(writing.width, 0);
    ASSERT_TRUE(Form2->DisketteCreatedMemo.visible());
    shoot(window(*Form2), "create-diskette-created");

    kernel.writeProtected = true;
    Form1->CreateDiskette2Click();
    SendMessageA(window(Form2->FirstInformationButton), BM_CLICK, 0, 0);
    SendMessageA(window(Form2->ContinueCreateDisketteButton), BM_CLICK, 0, 0);
    settle();
    ASSERT_TRUE(Form2->WriteErrorMemo.visible());
    shoot(window(*Form2), "create-diskette-write-error");
}

TEST_F(Screenshots, AboutBoxAndFeedbackForm) {
    present(*About);
    const Picture about = shoot(window(*About), "about");
    EXPECT_TRUE(about.contains(Blue));  // the web site link
    RECT client{};
    GetClientRect(window(*About), &client);
    POINT inside{client.right - 4, 60};
    ClientToScreen(window(*About), &inside);
    RECT frame{};
    GetWindowRect(window(*About), &frame);
    EXPECT_EQ(about.at(inside.x - frame.left, inside.y - frame.top), White);

    present(*FeedbackForm);
    const Picture feedback = shoot(window(*FeedbackForm), "feedback");
    EXPECT_TRUE(feedback.contains(Blue));  // the support address
}

}  // namespace
