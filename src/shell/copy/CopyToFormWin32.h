#pragma once
// The windows of Copy To: the progress window that runs the copy job, the
// list of items missing on a medium, and the overwrite question.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "controls/small/LabelsWin32.h"
#include "scan/SerialAskFormWin32.h"
#include "shell/copy/CopyJob.h"
#include "ui/Animate.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"

namespace kv {

class TCopyMissingForm : public ui::Form {
public:
    TCopyMissingForm();
    ~TCopyMissingForm() override;
    ui::Label Text1;
    ui::Label Text2;
    ui::Label Text3;
    ui::ListBox FileList;
    ui::Button BtnContinue;
    ui::Button BtnAbort;
};

class TOverwriteAskForm : public ui::Form {
public:
    TOverwriteAskForm();
    ~TOverwriteAskForm() override;
    QuestionIcon Icon;
    ui::Label Text1;
    ui::Label Text2;
    ui::TFileLabel OldFileName;
    ui::Label OldDetails;
    ui::Label Text3;
    ui::TFileLabel NewFileName;
    ui::Label NewDetails;
    ui::Button YesButton;
    ui::Button NoButton;
    ui::Button CancelButton;
    ui::CheckBox AllCheckBox;

    OverwriteReply Ask(const OverwriteQuestion& question);
};

class TCopyToForm : public ui::Form, private CopyUi {
public:
    // Where the medium of an entry's disk is: its root folder, or nothing.
    using MediumFinder = std::function<std::optional<std::string>(const CopyEntry& entry)>;

    TCopyToForm(IFileSystem& files, ui::UserPrompt& prompt, MediumFinder findMedium);
    ~TCopyToForm() override;

    ui::Animate Animation;
    ui::Label DiskCaptLabel;
    ui::Label DiskLabel;
    ui::Label DestCaptLabel;
    ui::TFileLabel DestLabel;
    ui::TFileLabel StatusLabel;
    ui::ProgressBar ProgressBar;
    ui::Label Label1;
    ui::Label NumLabel;
    ui::Label MessageLabel;
    ui::Button BtnCancel;

    // Shows the window modally and copies; returns when the user closes it.
    void Copy(std::vector<CopyEntry> entries, const std::string& destination, const CopyOptions& options);
    // The job of the last Copy (its counters).
    const CopyJob* job() const { return job_.get(); }
    // 0 copying, 1 waiting for a medium, 2 finished.
    int state() const { return state_; }
    // Called when the run has finished and the window shows its result (tests look at it).
    std::function<void(TCopyToForm& form)> onFinished;

protected:
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void run();
    void cancelClick();

    // CopyUi
    ui::UserPrompt& prompt() override { return prompt_; }
    std::optional<std::string> locateMedium(const CopyEntry& entry) override { return findMedium_(entry); }
    OverwriteReply askOverwrite(const OverwriteQuestion& question) override;
    bool continueWithMissing(const std::vector<std::string>& missing) override;
    void showDisk(const std::string& diskName) override { DiskLabel.setText(diskName); }
    void showStatus(const std::string& text) override { StatusLabel.SetFileName(text); }
    void showCounters(std::uint64_t filesCopied, std::uint64_t bytesCopied, std::uint64_t doneK,
                      std::uint64_t totalK) override;
    void waitingForMedium(bool waiting) override;
    void pump() override;
    std::string dateTimeText(std::uint32_t dosStamp) override;

    IFileSystem& files_;
    ui::UserPrompt& prompt_;
    MediumFinder findMedium_;
    std::unique_ptr<CopyJob> job_;
    std::unique_ptr<TOverwriteAskForm> overwriteForm_;
    int state_ = 0;
    bool started_ = false;
    std::uint64_t totalK_ = 0;
};

}  // namespace kv
