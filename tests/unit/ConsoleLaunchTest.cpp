// Start Regeneration: carving zelkor.exe and zelkor.pif out of the image and
// starting the PIF.
#include <gtest/gtest.h>

#include "media/ConsoleLaunch.h"
#include "tests/fakes/AppFixture.h"
#include "tests/fakes/Report.h"
#include "tests/fakes/TestImage.h"

using namespace fakes;

namespace {

class LaunchTest : public AppFixture {
protected:
    Bytes image = NumberedImage(1408);
    void SetUp() override {
        AppFixture::SetUp();
        kernel.files["dsck.tr"] = image;
    }
    void launch() { media::RunConsoleLaunch(kernel, app); }
    std::size_t count(Op op) const {
        return static_cast<std::size_t>(
            std::count_if(kernel.calls.begin(), kernel.calls.end(), [op](const Call& c) { return c.op == op; }));
    }
    std::size_t imageReads() const {
        return static_cast<std::size_t>(std::count_if(kernel.calls.begin(), kernel.calls.end(), [](const Call& c) {
            return c.op == Op::ReadFile && c.target == "dsck.tr";
        }));
    }
};

}  // namespace

TEST_F(LaunchTest, FreshFolderGetsBothFilesThenTheLaunch) {
    launch();
    ASSERT_NE(kernel.file("zelkor.exe"), nullptr);
    EXPECT_EQ(kernel.file("zelkor.exe")->size(), 96256u);
    EXPECT_EQ(*kernel.file("zelkor.exe"), ConsoleProgramOf(image));
    EXPECT_EQ(*kernel.file("zelkor.pif"), Sectors(image, 1319, 2));
    EXPECT_EQ(kernel.file("zelkor.tmp"), nullptr);
    EXPECT_EQ(imageReads(), 190u);  // one sector per read
    EXPECT_TRUE(backend.messages.empty());

    // All files closed before the launch, the process handles right after it.
    const auto log = kernel.log();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[log.size() - 4], "CloseHandle(dsck.tr)");
    EXPECT_EQ(log[log.size() - 3], "CreateProcessA(zelkor.pif, zelkor.pif)");
    EXPECT_EQ(log[log.size() - 2], "CloseHandle(process)");
    EXPECT_EQ(log[log.size() - 1], "CloseHandle(thread)");
    EXPECT_EQ(kernel.openHandles(), 0);

    const Call& create = kernel.calls[kernel.calls.size() - 3];
    EXPECT_EQ(create.a, 0);  // no handle inheritance
    EXPECT_EQ(create.b, 0);  // no creation flags
    Bytes startup(sizeof(sys::StartupInfo), 0);
    const auto cb = static_cast<std::uint32_t>(sizeof(sys::StartupInfo));
    std::memcpy(startup.data(), &cb, 4);
    EXPECT_EQ(create.block, startup);
}

TEST_F(LaunchTest, FilesAreCreatedWithTheirDispositions) {
    launch();
    std::vector<std::string> creates;
    for (const Call& c : kernel.calls)
        if (c.op == Op::CreateFile) creates.push_back(c.str());
    const std::vector<std::string> expected = {
        "CreateFileA(Dsck.tr, 0x80000000, 0, 3, 0x80)",  // image: read, exclusive
        "CreateFileA(zelkor.exe, 0x0, 3, 3, 0x80)",      // is it there?
        "CreateFileA(zelkor.tmp, 0x40000000, 0, 2, 0x80)",
        "CreateFileA(zelkor.pif, 0x40000000, 0, 2, 0x80)",
    };
    EXPECT_EQ(creates, expected);
}

TEST_F(LaunchTest, ExistingProgramIsKeptAndNotEvenRead) {
    // A program that another one holds open (a console still running it) is
    // there all the same: the probe's sharing violation says so.
    for (bool heldOpen : {false, true}) {
        SCOPED_TRACE(heldOpen ? "held open by another program" : "closed");
        const Bytes mine = {'M', 'Z', 1, 2, 3};
        kernel.calls.clear();
        kernel.files["zelkor.exe"] = mine;
        kernel.files["zelkor.pif"] = Bytes(7, 9);
        if (heldOpen) kernel.lockedByOthers.insert("zelkor.exe");
        launch();
        EXPECT_EQ(*kernel.file("zelkor.exe"), mine);
        EXPECT_EQ(*kernel.file("zelkor.pif"), Sectors(image, 1319, 2));
        EXPECT_EQ(imageReads(), 2u);
        EXPECT_EQ(count(Op::CreateProcess), 1u);
        EXPECT_TRUE(backend.messages.empty());
    }
}

TEST_F(LaunchTest, SecondLaunchRewritesOnlyThePifAndStartsAgain) {
    launch();
    kernel.files["zelkor.pif"] = Bytes(1024, 0);  // the user changed its settings
    launch();
    EXPECT_EQ(*kernel.file("zelkor.exe"), ConsoleProgramOf(image));
    EXPECT_EQ(*kernel.file("zelkor.pif"), Sectors(image, 1319, 2));
    EXPECT_EQ(count(Op::CreateProcess), 2u);
    EXPECT_EQ(imageReads(), 190u + 2u);
}

TEST_F(LaunchTest, UnusableImageWritesNothingLaunchesNothingAndSaysSo) {
    struct Case {
        const char* what;
        std::function<void(FakeKernel&)> prepare;
    } cases[] = {
        {"missing", [](FakeKernel& k) { k.files.clear(); }},
        {"too short", [](FakeKernel& k) { k.files["dsck.tr"].resize(1320 * 512); }},
        {"in use", [](FakeKernel& k) { k.lockedByOthers.insert("dsck.tr"); }},
    };
    for (const Case& c : cases) {
        kernel.calls.clear();
        kernel.files = {{"dsck.tr", image}};
        kernel.lockedByOthers.clear();
        backend.messages.clear();
        c.prepare(kernel);
        launch();
        EXPECT_EQ(kernel.file("zelkor.exe"), nullptr) << c.what;
        EXPECT_EQ(kernel.file("zelkor.pif"), nullptr) << c.what;
        EXPECT_EQ(count(Op::CreateProcess), 0u) << c.what;
        ASSERT_EQ(backend.messages.size(), 1u) << c.what;
        EXPECT_NE(backend.messages[0].find("Dsck.tr"), std::string::npos) << c.what;
        EXPECT_EQ(kernel.openHandles(), 0) << c.what;
    }
}

TEST_F(LaunchTest, AProgramThatAppearedMeanwhileWins) {
    // The move refuses because a zelkor.exe has just appeared.
    launch();
    const std::size_t moveAt = static_cast<std::size_t>(
        std::find_if(kernel.calls.begin(), kernel.calls.end(), [](const Call& c) { return c.op == Op::MoveFile; }) -
        kernel.calls.begin());
    FakeKernel k;
    k.files["dsck.tr"] = image;
    k.injectAt(moveAt, Fault::Fail, sys::ERROR_ALREADY_EXISTS);
    TestBackend b;
    forms::Application a(b);
    media::RunConsoleLaunch(k, a);
    EXPECT_EQ(k.file("zelkor.tmp"), nullptr);
    EXPECT_TRUE(b.messages.empty());
    EXPECT_EQ(k.calls.back().op, Op::CloseHandle);  // launched, handles closed
}

TEST_F(LaunchTest, StartRegenerationKeepsTheLaunchLayoutWhateverHappens) {
    for (bool imagePresent : {true, false}) {
        if (!imagePresent) kernel.files.clear();
        Form1->Start1Click();
        EXPECT_EQ(Form1->height(), 300);
        EXPECT_TRUE(Form1->StartRehenerationRichEdit.visible());
        EXPECT_EQ(Form1->formStyle(), forms::FormStyle::StayOnTop);
    }
    EXPECT_EQ(backend.messages.size(), 1u);
}

// Every call of a good launch, made to fail in turn: either the failure is
// harmless and the launch happens, or nothing is launched and the user is
// told; never a partial zelkor.exe, never a leaked handle.
TEST_F(LaunchTest, FailureAtEveryCall) {
    launch();
    const std::vector<Call> good = kernel.calls;
    for (std::size_t i = 0; i < good.size(); ++i) {
        const Call& target = good[i];
        std::vector<Fault> faults = {Fault::Fail};
        if (target.op == Op::ReadFile || target.op == Op::WriteFile) faults.push_back(Fault::Short);
        for (Fault fault : faults) {
            FakeKernel k;
            k.files["dsck.tr"] = image;
            k.injectAt(i, fault);
            TestBackend b;
            forms::Application a(b);
            media::RunConsoleLaunch(k, a);
            const std::string where = target.str() + (fault == Fault::Short ? " short" : " failing");
            const bool launched = std::any_of(k.calls.begin(), k.calls.end(),
                                              [](const Call& c) { return c.op == Op::CreateProcess && c.ok; });
            const bool harmless = target.op == Op::CloseHandle &&
                                  (target.target == "dsck.tr" || target.target == "process" || target.target == "thread");
            EXPECT_EQ(launched, harmless) << where;
            ReportRow("launch-faults", {target.str(), fault == Fault::Short ? "short" : "fails",
                                        launched ? "launched" : "message, no launch",
                                        k.file("zelkor.exe") ? "complete" : "absent"});
            EXPECT_EQ(b.messages.size(), harmless ? 0u : 1u) << where;
            EXPECT_EQ(k.openHandles(), 0) << where;
            if (const Bytes* exe = k.file("zelkor.exe")) {
                EXPECT_EQ(*exe, ConsoleProgramOf(image)) << where;
            }
            if (target.op != Op::DeleteFile) {
                EXPECT_EQ(k.file("zelkor.tmp"), nullptr) << where;
            }
            EXPECT_EQ(*k.file("dsck.tr"), image) << where;
        }
    }
}
