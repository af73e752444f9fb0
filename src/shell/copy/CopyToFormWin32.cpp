#include "shell/copy/CopyToFormWin32.h"

#include "ui/Application.h"
#include "ui/PlaceControl.h"

namespace kv {

namespace {
// Posted on the first show: the copy starts once the window is up.
constexpr UINT kStartCopyMessage = WM_APP + 41;
}  // namespace

TCopyMissingForm::TCopyMissingForm() {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("Missing Files or Folders");
    setWindowClassName("KvCopyMissingForm");
    createHandle();
    setClientSize(420, 290);
    ui::Put(Text1, *this, 10, 10, 400, 44,
            "Some of selected files or folders were not found on the current media, as stated in the catalog. You "
            "should update catalog data for this media.");
    ui::Put(Text2, *this, 10, 56, 400, 16, "If you proceed with copying, these items will be skipped.");
    ui::Put(Text3, *this, 10, 80, 400, 16, "Selected items missing on real media are:");
    ui::Put(FileList, *this, 10, 98, 400, 146);
    BtnContinue.modalResult = ui::mrOk;
    ui::Put(BtnContinue, *this, 130, 256, 75, 25, "Continue");
    BtnContinue.setDefault(true);
    BtnAbort.modalResult = ui::mrAbort;
    ui::Put(BtnAbort, *this, 215, 256, 75, 25, "Abort");
    setDefaultControl(&BtnContinue);
    setCancelControl(&BtnAbort);
}

TCopyMissingForm::~TCopyMissingForm() { destroyWindow(); }

TOverwriteAskForm::TOverwriteAskForm() {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("Replace Item?");
    setWindowClassName("KvOverwriteAskForm");
    createHandle();
    setClientSize(430, 226);
    ui::Put(Icon, *this, 12, 70, 32, 32);
    ui::Put(Text1, *this, 56, 10, 360, 16, "Item with the same name already exists at destination.");
    ui::Put(Text2, *this, 56, 34, 360, 16, "May program replace item:");
    ui::Put(OldFileName, *this, 70, 52, 350, 16);
    ui::Put(OldDetails, *this, 70, 70, 350, 16);
    ui::Put(Text3, *this, 56, 94, 360, 16, "with new item:");
    ui::Put(NewFileName, *this, 70, 112, 350, 16);
    ui::Put(NewDetails, *this, 70, 130, 350, 16);
    ui::Put(AllCheckBox, *this, 56, 156, 364, 20, "Do not ask this again, assume the same answer next time");
    YesButton.modalResult = ui::mrYes;
    ui::Put(YesButton, *this, 95, 190, 75, 25, "Yes");
    YesButton.setDefault(true);
    NoButton.modalResult = ui::mrNo;
    ui::Put(NoButton, *this, 178, 190, 75, 25, "No");
    CancelButton.modalResult = ui::mrCancel;
    ui::Put(CancelButton, *this, 261, 190, 75, 25, "Cancel");
    setDefaultControl(&YesButton);
    setCancelControl(&CancelButton);
}

TOverwriteAskForm::~TOverwriteAskForm() { destroyWindow(); }

OverwriteReply TOverwriteAskForm::Ask(const OverwriteQuestion& question) {
    OldFileName.SetFileName(question.oldPath);
    OldDetails.setText(question.oldDetails);
    NewFileName.SetFileName(question.newPath);
    NewDetails.setText(question.newDetails);
    AllCheckBox.setChecked(false);
    OverwriteReply reply;
    switch (showModal()) {
    case ui::mrYes: reply.answer = OverwriteAnswer::Yes; break;
    case ui::mrNo: reply.answer = OverwriteAnswer::No; break;
    default: reply.answer = OverwriteAnswer::Cancel; break;
    }
    reply.sameForAll = AllCheckBox.checked();
    return reply;
}

TCopyToForm::TCopyToForm(IFileSystem& files, ui::UserPrompt& prompt, MediumFinder findMedium)
    : files_(files), prompt_(prompt), findMedium_(std::move(findMedium)) {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("Copy To...");
    setWindowClassName("KvCopyToForm");
    createHandle();
    setClientSize(420, 228);
    ui::Put(Animation, *this, 74, 8, 272, 60);
    ui::Put(DiskCaptLabel, *this, 10, 78, 96, 16, "Current Media:");
    ui::Put(DiskLabel, *this, 110, 78, 300, 16);
    ui::Put(DestCaptLabel, *this, 10, 98, 96, 16, "Destination:");
    ui::Put(DestLabel, *this, 110, 98, 300, 16);
    ui::Put(StatusLabel, *this, 10, 122, 400, 16);
    ui::Put(ProgressBar, *this, 10, 142, 400, 16);
    ui::Put(Label1, *this, 10, 166, 96, 16, "Total copied:");
    ui::Put(NumLabel, *this, 110, 166, 300, 16);
    ui::Put(MessageLabel, *this, 10, 88, 400, 16);
    MessageLabel.setVisible(false);
    ui::Put(BtnCancel, *this, 172, 194, 75, 25, "Cancel");
    BtnCancel.onClick = [this](ui::Button&) { cancelClick(); };
    setDefaultControl(&BtnCancel);
    setCancelControl(&BtnCancel);
    onShow = [this](ui::Form&) {
        if (!started_) {
            started_ = true;
            PostMessageA(hwnd(), kStartCopyMessage, 0, 0);
        }
    };
    // The close box is the Cancel button: the window stays until the run has ended.
    onCloseQuery = [this](ui::Form&, bool& canClose) {
        if (state_ != 2) {
            canClose = false;
            cancelClick();
        }
    };
}

TCopyToForm::~TCopyToForm() { destroyWindow(); }

void TCopyToForm::Copy(std::vector<CopyEntry> entries, const std::string& destination, const CopyOptions& options) {
    const bool several = entries.size() > 1;
    if (!Animation.setCommonAvi(several ? ui::CommonAvi::CopyFiles : ui::CommonAvi::CopyFile))
        Animation.setVisible(false);
    CopyUi& ui = *this;
    job_ = std::make_unique<CopyJob>(files_, ui, std::move(entries), destination, options);
    state_ = 0;
    started_ = false;
    showModal();
}

LRESULT TCopyToForm::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kStartCopyMessage) {
        if (job_)
            run();
        return 0;
    }
    return Form::wndProc(msg, wp, lp);
}

void TCopyToForm::run() {
    DestLabel.SetFileName(job_->destination());
    Animation.setActive(Animation.visible() && Animation.opened());
    job_->Run();
    Animation.setActive(false);
    state_ = 2;
    if (job_->cancel) {
        // A cancelled run closes at once.
        setModalResult(ui::mrCancel);
        return;
    }
    MessageLabel.setText(CopyEndMessage(job_->itemsSkipped));
    StatusLabel.SetFileName("Finished.");
    for (ui::Control* c : {static_cast<ui::Control*>(&DiskCaptLabel), static_cast<ui::Control*>(&DiskLabel),
                           static_cast<ui::Control*>(&DestCaptLabel), static_cast<ui::Control*>(&DestLabel)})
        c->setVisible(false);
    MessageLabel.setVisible(true);
    BtnCancel.setText("&OK");
    if (onFinished)
        onFinished(*this);
}

void TCopyToForm::cancelClick() {
    if (state_ == 2) {
        setModalResult(ui::mrOk);
        return;
    }
    if (job_ && prompt_.ask({"Would you really like to abort copying?", "Confirmation", ui::PromptButtons::YesNo,
                             ui::PromptIcon::Question}) == ui::PromptAnswer::Yes)
        job_->cancel = true;
}

OverwriteReply TCopyToForm::askOverwrite(const OverwriteQuestion& question) {
    if (!overwriteForm_)
        overwriteForm_ = std::make_unique<TOverwriteAskForm>();
    return overwriteForm_->Ask(question);
}

bool TCopyToForm::continueWithMissing(const std::vector<std::string>& missing) {
    TCopyMissingForm form;
    form.FileList.setItems(missing);
    return form.showModal() == ui::mrOk;
}

void TCopyToForm::showCounters(std::uint64_t filesCopied, std::uint64_t bytesCopied, std::uint64_t doneK,
                               std::uint64_t totalK) {
    NumLabel.setText(CopyCountersText(filesCopied, bytesCopied));
    if (totalK != totalK_) {
        totalK_ = totalK;
        ProgressBar.setRange(0, static_cast<int>(std::min<std::uint64_t>(totalK, 0x7FFFFFFF)));
    }
    ProgressBar.setPosition(static_cast<int>(std::min<std::uint64_t>(doneK, 0x7FFFFFFF)));
}

void TCopyToForm::waitingForMedium(bool waiting) {
    state_ = waiting ? 1 : 0;
    if (Animation.visible() && Animation.opened())
        Animation.setActive(!waiting);
}

void TCopyToForm::pump() { ui::Application::instance().processMessages(); }

std::string TCopyToForm::dateTimeText(std::uint32_t dosStamp) {
    FILETIME ft{};
    SYSTEMTIME st{};
    if (!DosDateTimeToFileTime(static_cast<WORD>(dosStamp >> 16), static_cast<WORD>(dosStamp & 0xFFFF), &ft) ||
        !FileTimeToSystemTime(&ft, &st))
        return "unknown";
    char date[80] = {};
    char time[80] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time);
    return std::string(date) + ", " + time;
}

}  // namespace kv
