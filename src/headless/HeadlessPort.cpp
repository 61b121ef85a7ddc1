#include "headless/HeadlessPort.h"

#include "headless/FieldInputs.h"
#include "protocol/OperatorInput.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "screen/TerminalState.h"

namespace {

// How long a window-side wait for the record's end sleeps between looks.
constexpr auto kServeWait = std::chrono::milliseconds(1);

}  // namespace

void CHeadlessPort::Attach(CTerminalState& state, CFieldInputs& fieldInputs,
                           COperatorInput& operatorInput) {
    terminal = &state;
    inputs = &fieldInputs;
    input = &operatorInput;
}

CField* CHeadlessPort::FocusedField() const {
    return focus.page && focus.field >= 0 ? focus.page->fields.FindField(focus.field) : nullptr;
}

void CHeadlessPort::Do(Work work) {
    if (holder == std::this_thread::get_id()) {
        held.push_back(std::move(work));
        return;
    }
    work();
}

void CHeadlessPort::Post(Work work) {
    if (holder == std::this_thread::get_id()) {
        posted.push_back(std::move(work));
        return;
    }
    work();
}

void CHeadlessPort::HoldWindowWork() {
    holder = std::this_thread::get_id();
}

void CHeadlessPort::DoHeldWindowWork() {
    holder = std::thread::id();
    // Work a step asks for is done at once: the hold has ended.
    std::vector<Work> steps = std::move(held);
    held.clear();
    for (Work& step : steps) step();
    steps = std::move(posted);
    posted.clear();
    for (Work& step : steps) step();
    NotifyChanged();
}

void CHeadlessPort::ServeSentMessages() {
    std::this_thread::sleep_for(kServeWait);
}

void CHeadlessPort::NotifyChanged() {
    {
        std::lock_guard<std::mutex> hold(changeLock);
        ++changes;
    }
    changed.notify_all();
}

void CHeadlessPort::WaitForChange(std::chrono::milliseconds most) {
    std::unique_lock<std::mutex> hold(changeLock);
    unsigned seen = changes;
    changed.wait_for(hold, most, [&] { return changes != seen; });
}

// The window losing the focus hears of it first, as its field still is.
void CHeadlessPort::SetFocus(CFocus target) {
    if (target == focus) return;
    CField* left = FocusedField();
    focus = target;
    if (left) inputs->LoseFocus(*left);
    // Losing it may have moved the focus on already.
    if (!(focus == target)) return;
    if (CField* field = FocusedField()) inputs->GainFocus(*field);
}

void CHeadlessPort::ClickFocus(CField& field) {
    if (field.page && CFieldInputs::TakesFocus(field)) SetFocus({field.page, field.fieldNumber});
}

void CHeadlessPort::DropFocus() {
    SetFocus({});
}

// The lock disables every page; only the host's release enables one again.
void CHeadlessPort::Lock() {
    terminal->inputLocked = 1;
    enabledPage = nullptr;
}

void CHeadlessPort::StartLockAnimation(LockAnimationKind) {
    Do([this] { Lock(); });
}

void CHeadlessPort::StopLockAnimation(LockAnimationKind) {}

void CHeadlessPort::UnlockInput() {
    Do([this] {
        enabledPage = terminal->CurrentPage();
        terminal->ReleaseInput();
    });
}

// One host dialog at a time: a request of the kind open takes it over, one
// of the other kind ends it first.
void CHeadlessPort::OpenHostDialog(HostDialog kind, int parameter) {
    if (dialog != HostDialog::None && dialog != kind) EndDialog(false);
    if (dialog == kind) {
        dialogParameter = parameter;
        return;
    }
    if (kind == HostDialog::Prompt && terminal->promptLength == -1) return;
    enabledPage = terminal->CurrentPage();
    terminal->ReleaseInput();
    dialog = kind;
    dialogParameter = parameter;
    // Input stays locked for as long as the Advisory shows.
    if (kind == HostDialog::Advisory) terminal->inputLocked = 1;
    terminal->openDialog = this;
}

void CHeadlessPort::EndDialog(bool ok, const std::u16string& answer) {
    HostDialog ended = dialog;
    if (ended == HostDialog::None) return;
    dialog = HostDialog::None;
    terminal->openDialog = nullptr;
    if (ended == HostDialog::Advisory) {
        terminal->inputLocked = 0;
        input->EndAdvisory(dialogParameter);
        return;
    }
    // The answer is kept after Cancel too; only OK sends it.
    terminal->KeepPromptAnswer(answer);
    Lock();
    if (ok) input->AnswerPrompt();
}

void CHeadlessPort::AskForAdvisory(int focusField) {
    Do([this, focusField] {
        Post([this, focusField] { OpenHostDialog(HostDialog::Advisory, focusField); });
    });
}

void CHeadlessPort::AskForPrompt(int answerLength) {
    Do([this, answerLength] {
        Post([this, answerLength] { OpenHostDialog(HostDialog::Prompt, answerLength); });
    });
}

void CHeadlessPort::CloseDialog(WindowHandle) {
    Do([this] { Post([this] { EndDialog(false); }); });
}

void CHeadlessPort::OfferLabel(int slot, const std::u16string& text) {
    Do([this, slot, text] { toolBarKeys.AssignLabel(slot, text); });
}

void CHeadlessPort::ReportSessionEnded(bool stopped) {
    if (sessionEnded) sessionEnded(stopped);
    NotifyChanged();
}

// A page's window is the page itself: it has nothing else to be.
WindowHandle CHeadlessPort::CreatePageWindow(CPage& page, WindowHandle) {
    return &page;
}

void CHeadlessPort::RefreshPage(CPage& page) {
    Do([&page] { page.RefreshFieldWindows(); });
}

void CHeadlessPort::PlacePageWindow(CPage& page, bool show) {
    Do([this, &page, show] {
        // A hidden window loses the focus to its parent, the main window.
        if (!show && focus.page == &page) SetFocus({});
    });
}

void CHeadlessPort::FocusPage(CPage& page) {
    Do([this, &page] {
        if (enabledPage == &page) SetFocus({&page, -1});
    });
}

WindowHandle CHeadlessPort::MakeFieldWindow(CField& field) {
    return &field;
}

void CHeadlessPort::FocusField(CField& field) {
    Do([this, page = field.page, number = field.fieldNumber] {
        if (!page || enabledPage != page) return;
        CField* target = page->fields.FindField(number);
        if (target && target->fieldWindow) ClickFocus(*target);
    });
}

// The focused field's window is hidden while it still has its field, which
// an entry field left so completes; the focus goes to the page.
void CHeadlessPort::CloseFieldWindow(CField& field) {
    if (focus.page == field.page && focus.field == field.fieldNumber) SetFocus({field.page, -1});
}
