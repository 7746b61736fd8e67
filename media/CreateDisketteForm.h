// The Create Diskette dialog. Its state is nothing but which of its controls
// are visible: information, confirmation, writing, write error or created.
#pragma once

#include <optional>

#include "media/DisketteWriter.h"
#include "platform/forms/Form.h"
#include "platform/services.h"

class TForm2 : public forms::Form, private media::DisketteProgress {
public:
    TForm2(forms::Application& app, sys::Services& services);

    forms::Label& InsertDisketteLabel;
    forms::Label& DataWillBeDestroyedLabel;
    forms::Button& ContinueCreateDisketteButton;
    forms::Button& CancelCreateDisketteButton;
    forms::Button& FirstInformationButton;
    forms::Memo& CannotBeDirectlyStartedMemo;
    forms::Memo& PleaseWaitMemo;
    forms::ProgressBar& ProgressBar1;
    forms::Button& WriteErrorButton;
    forms::Memo& WriteErrorMemo;
    forms::Memo& DisketteCreatedMemo;
    forms::Button& DisketteCreatedButton;
    // Not one of the states' controls: under "Disk Write Error!", the cause
    // of the failure where the program's diagnostics give one (the Linux
    // program), selectable so that a command in it can be copied. Hidden by
    // the opening and by every reset; the dialog grows to hold it.
    forms::Memo& WriteErrorCauseMemo;

    // Shows the dialog in its information state, whatever state it was
    // left in; captions, the progress position and enabled states stay.
    void Open();
    void FirstInformationButtonClick();
    void ContinueCreateDisketteButtonClick();
    void CancelCreateDisketteButtonClick();
    void WriteErrorButtonClick();
    void ShowWriteErrorState();

    // One column of the state table: each control is shown, hidden or left.
    enum class Show { Unchanged, Shown, Hidden };
    struct State {
        Show cancel, cannotBeStarted, continue_, dataDestroyed, firstInformation, insertDiskette, pleaseWait,
            writeErrorButton, writeErrorMemo, progress, createdButton, createdMemo;
    };

private:
    void Report(std::optional<std::int32_t> position) override;
    void Transferred() override;
    void showCause(const std::string& cause);
    void hideCause();
    // Applies the rows in table order; `focusAfterCancel` puts the focus on
    // Cancel the moment it is shown.
    void apply(const State& s, bool focusAfterCancel = false);

    sys::Services& services_;
};

extern TForm2* Form2;
