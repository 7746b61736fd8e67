// Pictures of every form as Wine draws it, for docs/screenshots (win-*.png,
// beside the Linux ones), each checked for the colours it must show. The
// run names the folder in DORVANE_SCREENSHOTS; tests/win32/run.sh turns the
// BMP files into PNG.
#include <cstdlib>
#include <functional>
#include <string>

#include "media/DisketteWriter.h"
#include "tests/win32/KernelWithMoment.h"
#include "tests/win32/ModalWatchdog.h"
#include "tests/win32/RenderedApp.h"
#include "tests/win32/ScreenCapture.h"
#include "tests/win32/TestFiles.h"

// <windows.h> comes after the project's headers.
#include "tests/win32/Keystrokes.h"

namespace {

using wintest::Picture;
using namespace std::chrono_literals;

constexpr COLORREF Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255), White = RGB(255, 255, 255);

// While a menu of the main window is open (its own loop runs the thread), a
// timer takes the picture once the popup shows and closes the menu; the
// file's path waits in a property of the window.
constexpr const char* ShotPath = "DorvaneShotPath";
constexpr UINT_PTR ShotTimer = 0xD1;

void CALLBACK shootOnceTheMenuOpens(HWND main, UINT, UINT_PTR id, DWORD) {
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) return;
    KillTimer(main, id);
    const auto* path = static_cast<const std::string*>(RemovePropA(main, ShotPath));
    UpdateWindow(popup);
    EXPECT_TRUE(wintest::saveBitmap(wintest::captureWindow(main), *path));
    for (int i = 0; i < 2; ++i) PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
}

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

    // The Regeneration menu opened by Alt+R, so that Windows underlines the
    // letters as it does only for the keyboard.
    void shootWithMenuOpen(const std::string& name) {
        present(*Form1);
        HWND main = window(*Form1);
        const std::string path = folder + "\\win-" + name + ".bmp";
        SetPropA(main, ShotPath, const_cast<std::string*>(&path));
        SetTimer(main, ShotTimer, 50, &shootOnceTheMenuOpens);
        wintest::ModalWatchdog watchdog(main, 10s);
        wintest::postSystemKeystroke(main, 'R', true);
        EXPECT_TRUE(pumpUntil([&] { return GetPropA(main, ShotPath) == nullptr; }));
        KillTimer(main, ShotTimer);
        RemovePropA(main, ShotPath);
        settle();
        EXPECT_FALSE(watchdog.fired()) << name;
    }
};

// The same on Windows NT, where the menu holds no Start Regeneration.
class ScreenshotsNT : public Screenshots {
protected:
    ScreenshotsNT() { kernel.platformId = VER_PLATFORM_WIN32_NT; }
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

    shootWithMenuOpen("main-menu-windows9x");
    chooseMenu("Regeneration", "Start Regeneration");
    const Picture launch = shoot(window(*Form1), "main-launch");
    EXPECT_TRUE(launch.contains(Blue));  // "click here to minimize this window"
    EXPECT_GT(launch.height, normal.height);

    // "click here to minimize this window", and the window restored.
    HWND main = window(*Form1);
    click(Form1->Label2);
    ASSERT_TRUE(pumpUntil([&] { return IsIconic(main) != FALSE; }));
    SendMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(pumpUntil([&] { return !IsIconic(main); }));
    const Picture back = shoot(main, "main-after-minimize");
    EXPECT_EQ(back.height, normal.height);
}

TEST_F(ScreenshotsNT, TheMenuWithoutStartRegeneration) { shootWithMenuOpen("main-menu-nt"); }

TEST_F(Screenshots, CreateDisketteDialogInEachState) {
    present(*Form2);
    Form1->CreateDiskette2Click();
    settle();
    shoot(window(*Form2), "create-diskette-information");
    SendMessageA(window(Form2->FirstInformationButton), BM_CLICK, 0, 0);
    settle();
    shoot(window(*Form2), "create-diskette-confirmation");

    // At the first report (the boot sector written: the memo paints itself),
    // and in the middle of the run: the raw area written, the image copy
    // under way.
    Picture start, writing;
    const forms::ObserverId first = Form2->PleaseWaitMemo.observe([&](forms::Prop p) {
        if (p == forms::Prop::Repaint && start.width == 0)
            start = shoot(window(*Form2), "create-diskette-writing-start");
    });
    kernel.atWrite = 5;
    kernel.moment = [&] { writing = shoot(window(*Form2), "create-diskette-writing"); };
    SendMessageA(window(Form2->ContinueCreateDisketteButton), BM_CLICK, 0, 0);
    settle();
    Form2->PleaseWaitMemo.unobserve(first);
    EXPECT_GT(start.width, 0);
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
    EXPECT_FALSE(feedback.contains(Red));

    // Sent with no answer: the three questions turn red.
    SendMessageA(window(FeedbackForm->Button_SendMail), BM_CLICK, 0, 0);
    settle();
    EXPECT_TRUE(shoot(window(*FeedbackForm), "feedback-missing-answers").contains(Red));

    // Every answer given and sent: black again.
    SetWindowTextA(window(FeedbackForm->Edit_YourName), "Ann Example");
    SetWindowTextA(window(FeedbackForm->Memo_Comments), "Works well.");
    SendMessageA(window(FeedbackForm->RadioButton_GoodFeatures), BM_CLICK, 0, 0);
    SendMessageA(window(FeedbackForm->RadioButton_ExcellentProgram), BM_CLICK, 0, 0);
    SendMessageA(window(FeedbackForm->Button_SendMail), BM_CLICK, 0, 0);
    settle();
    EXPECT_EQ(shell.requests.size(), 1u);
    EXPECT_FALSE(shoot(window(*FeedbackForm), "feedback-answered").contains(Red));
}

}  // namespace
