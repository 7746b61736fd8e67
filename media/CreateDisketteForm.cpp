#include "media/CreateDisketteForm.h"

#include "media/ImageLayout.h"
#include "platform/forms/Application.h"

using namespace forms;

TForm2* Form2 = nullptr;

namespace {

using Show = TForm2::Show;
constexpr Show U = Show::Unchanged, S = Show::Shown, H = Show::Hidden;

//                                  Cancel Cannot Cont Data First Insert Wait ErrB ErrM Prog CrB CrM
constexpr TForm2::State Information{H, S, H, H, S, H, H, H, H, H, H, H};
constexpr TForm2::State Confirmation{S, H, S, S, H, S, H, H, H, H, U, U};
constexpr TForm2::State Writing{H, H, H, H, H, H, S, H, H, S, U, U};
constexpr TForm2::State WriteError{H, H, H, H, H, H, H, S, S, H, U, U};
constexpr TForm2::State Created{H, H, H, H, H, H, H, H, H, H, S, S};
// Abort / OK: the information rows, the form hidden, then the created rows.
constexpr TForm2::State ResetFirstRows{H, S, H, H, S, H, H, H, H, H, U, U};
constexpr TForm2::State ResetLastRows{U, U, U, U, U, U, U, U, U, U, H, H};

constexpr int OuterHeight = 135;
constexpr int CauseTop = 106, CauseHeight = 60, CauseRoom = CauseHeight + 8;

Font sized(int height, FontStyles style = fsNone) {
    Font f;
    f.height = height;
    f.style = style;
    return f;
}

void setUpMemo(Memo& memo, int left, int top, int width, int height, const Font& font, Alignment align,
               const char* text) {
    memo.setBounds(left, top, width, height);
    memo.setFont(font);
    memo.setAlignment(align);
    memo.setText(text);
    memo.readOnly = true;
    memo.border = false;
    memo.setColor(clBtnFace);
}

}  // namespace

TForm2::TForm2(Application& app, sys::Services& services)
    : Form(app, "Form2"),
      InsertDisketteLabel(make<Label>("InsertDisketteLabel")),
      DataWillBeDestroyedLabel(make<Label>("DataWillBeDestroyedLabel")),
      ContinueCreateDisketteButton(make<Button>("ContinueCreateDisketteButton")),
      CancelCreateDisketteButton(make<Button>("CancelCreateDisketteButton")),
      FirstInformationButton(make<Button>("FirstInformationButton")),
      CannotBeDirectlyStartedMemo(make<Memo>("CannotBeDirectlyStartedMemo")),
      PleaseWaitMemo(make<Memo>("PleaseWaitMemo")),
      ProgressBar1(make<ProgressBar>("ProgressBar1")),
      WriteErrorButton(make<Button>("WriteErrorButton")),
      WriteErrorMemo(make<Memo>("WriteErrorMemo")),
      DisketteCreatedMemo(make<Memo>("DisketteCreatedMemo")),
      DisketteCreatedButton(make<Button>("DisketteCreatedButton")),
      WriteErrorCauseMemo(make<Memo>("WriteErrorCauseMemo")),
      services_(services) {
    setText("Create Diskette");
    borderStyle = BorderStyle::Dialog;
    maximizeBox = false;
    setClientSize(288, 106);
    setBounds(0, 0, 294, OuterHeight);
    setColor(clBtnFace);
    centring = Centring::EachShow;
    const Font formFont = sized(11);
    setFont(formFont);
    // Esc never leads towards writing: in the information and confirmation
    // states it is the close box; a result is answered by its own button;
    // while writing the close box refuses (the run holds the loop).
    onEscape = [this] {
        for (Button* result : {&WriteErrorButton, &DisketteCreatedButton})
            if (result->reachable()) return result->click();
        closeBox();
    };

    InsertDisketteLabel.setText("Insert blank formatted floppy disk into the drive 'A'.");
    InsertDisketteLabel.setBounds(8, 14, 0, 15);
    InsertDisketteLabel.setFont(sized(12));
    Font bold = sized(12, fsBold);
    bold.color = clBlack;
    DataWillBeDestroyedLabel.setText("All data on the floppy disk will be destroyed!");
    DataWillBeDestroyedLabel.setBounds(8, 40, 0, 15);
    DataWillBeDestroyedLabel.setFont(bold);

    struct ButtonSpec {
        Button& button;
        const char* caption;
        int left;
        int tabOrder;
    };
    const ButtonSpec buttons[] = {
        {ContinueCreateDisketteButton, "Continue", 56, 1}, {CancelCreateDisketteButton, "Cancel", 157, 2},
        {FirstInformationButton, "OK", 106, 0},           {WriteErrorButton, "Abort", 106, 4},
        {DisketteCreatedButton, "OK", 106, 3},
    };
    for (const ButtonSpec& b : buttons) {
        b.button.setText(b.caption);
        b.button.setBounds(b.left, 74, 75, 25);
        b.button.tabOrder = b.tabOrder;
    }

    setUpMemo(CannotBeDirectlyStartedMemo, 8, 6, 272, 62, formFont, Alignment::Left,
              "You create bootable regenerating diskette.\r\n"
              "It is meant for users who cannot start the\r\n"
              "regeneration directly from Windows: under Windows\r\n"
              "NT/2000/XP it can never be started directly.");
    setUpMemo(PleaseWaitMemo, 8, 8, 272, 42, sized(15), Alignment::Left,
              "  Please, wait while regenerating diskette\r\n  will be created...");
    setUpMemo(WriteErrorMemo, 8, 18, 272, 30, sized(19), Alignment::Center, "Disk Write Error!");
    setUpMemo(DisketteCreatedMemo, 8, 6, 272, 60, sized(12), Alignment::Center,
              "Bootable Regenerating Diskette has been\r\n"
              "successfully created.\r\n"
              "Restart and boot from it to regenerate.");
    CannotBeDirectlyStartedMemo.tabOrder = 5;
    PleaseWaitMemo.tabOrder = 6;
    ProgressBar1.tabOrder = 7;
    WriteErrorMemo.tabOrder = 8;
    DisketteCreatedMemo.tabOrder = 9;

    WriteErrorCauseMemo.setBounds(8, CauseTop, 272, CauseHeight);
    WriteErrorCauseMemo.readOnly = true;
    WriteErrorCauseMemo.selectable = true;
    WriteErrorCauseMemo.tabOrder = 10;
    WriteErrorCauseMemo.setVisible(false);

    ProgressBar1.setBounds(8, 56, 272, 16);
    ProgressBar1.setRange(0, media::DisketteProgressMax);
    ProgressBar1.smooth = true;

    FirstInformationButton.onClick = [this] { FirstInformationButtonClick(); };
    ContinueCreateDisketteButton.onClick = [this] { ContinueCreateDisketteButtonClick(); };
    CancelCreateDisketteButton.onClick = [this] { CancelCreateDisketteButtonClick(); };
    WriteErrorButton.onClick = [this] { WriteErrorButtonClick(); };
    DisketteCreatedButton.onClick = [this] { WriteErrorButtonClick(); };

    apply(Information);
}

void TForm2::apply(const State& s, bool focusAfterCancel) {
    const std::pair<Show, Control*> rows[] = {
        {s.cancel, &CancelCreateDisketteButton},
        {s.cannotBeStarted, &CannotBeDirectlyStartedMemo},
        {s.continue_, &ContinueCreateDisketteButton},
        {s.dataDestroyed, &DataWillBeDestroyedLabel},
        {s.firstInformation, &FirstInformationButton},
        {s.insertDiskette, &InsertDisketteLabel},
        {s.pleaseWait, &PleaseWaitMemo},
        {s.writeErrorButton, &WriteErrorButton},
        {s.writeErrorMemo, &WriteErrorMemo},
        {s.progress, &ProgressBar1},
        {s.createdButton, &DisketteCreatedButton},
        {s.createdMemo, &DisketteCreatedMemo},
    };
    for (const auto& [show, control] : rows) {
        if (show != Show::Unchanged) control->setVisible(show == Show::Shown);
        if (focusAfterCancel && control == &CancelCreateDisketteButton) FocusControl(CancelCreateDisketteButton);
    }
}

void TForm2::Open() {
    apply(Information);
    hideCause();
    setVisible(true);
}

void TForm2::FirstInformationButtonClick() { apply(Confirmation, true); }

void TForm2::CancelCreateDisketteButtonClick() { setVisible(false); }

void TForm2::ContinueCreateDisketteButtonClick() {
    // The run holds the loop: the system is answered at every transfer, and
    // a close request meanwhile is refused, so the result stays to be seen.
    const Application::Hold hold(application());
    apply(Writing);
    const bool created = media::WriteRegeneratingDiskette(services_.kernel, *this, services_.diagnostics);
    // A key pressed while the run held the loop (Enter, most likely) would
    // otherwise press the result's focused button and close the dialog
    // before the user saw whether the diskette was made.
    application().DiscardPendingInput();
    if (created) {
        apply(Created);
        FocusControl(DisketteCreatedButton);
    } else {
        const std::string cause = services_.diagnostics.Failed("Create Diskette failed");
        ShowWriteErrorState();
        if (!cause.empty()) showCause(cause);
    }
}

void TForm2::ShowWriteErrorState() {
    apply(WriteError);
    FocusControl(WriteErrorButton);
}

void TForm2::WriteErrorButtonClick() {
    apply(ResetFirstRows);
    hideCause();
    setVisible(false);
    apply(ResetLastRows);
}

void TForm2::showCause(const std::string& cause) {
    WriteErrorCauseMemo.setText(cause);
    setHeight(OuterHeight + CauseRoom);
    WriteErrorCauseMemo.setVisible(true);
}

void TForm2::hideCause() {
    WriteErrorCauseMemo.setVisible(false);
    WriteErrorCauseMemo.setText("");
    setHeight(OuterHeight);
}

void TForm2::Report(std::optional<std::int32_t> position) {
    if (position) ProgressBar1.setPosition(*position);
    PleaseWaitMemo.Update();
}

// Every report comes right after a transfer, so this answers at both.
void TForm2::Transferred() { application().AnswerSystem(); }
