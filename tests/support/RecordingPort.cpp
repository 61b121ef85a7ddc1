#include "support/RecordingPort.h"

#include <chrono>
#include <thread>

#include "screen/Field.h"
#include "screen/Page.h"

namespace {

constexpr const char* kSoundNames[kSoundEventCount] = {
    "Normal", "Error", "ScanAccept", "ScanReject", "User01", "User02", "User03", "User04",
};

const char* AnimationName(LockAnimationKind kind) {
    return kind == LockAnimationKind::Connecting ? "connecting" : "awaiting";
}

std::string Hex(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
    }
    return text;
}

std::string Name(const CPage& page) {
    return "page" + std::to_string(page.pageNumber);
}

std::string Name(const CField& field) {
    return "field" + std::to_string(field.fieldNumber);
}

}  // namespace

void CRecordingPort::Clear() {
    std::lock_guard<std::mutex> hold(lock);
    events.clear();
    calls = 0;
}

std::vector<std::string> CRecordingPort::Events() const {
    std::lock_guard<std::mutex> hold(lock);
    return events;
}

bool CRecordingPort::WaitFor(const std::string& prefix, int timeoutSeconds) const {
    std::unique_lock<std::mutex> hold(lock);
    return recorded.wait_for(hold, std::chrono::seconds(timeoutSeconds), [&] {
        for (const std::string& event : events) {
            if (event.rfind(prefix, 0) == 0) return true;
        }
        return false;
    });
}

void CRecordingPort::StartLockAnimation(LockAnimationKind kind) {
    if (Count()) Record(std::string("start animation ") + AnimationName(kind));
}

void CRecordingPort::StopLockAnimation(LockAnimationKind kind) {
    if (Count()) Record(std::string("stop animation ") + AnimationName(kind));
}

void CRecordingPort::UnlockInput() {
    if (Count()) Record("unlock input");
}

void CRecordingPort::AskForAdvisory(int focusField) {
    if (Count()) Record("ask advisory " + std::to_string(focusField));
}

void CRecordingPort::AskForPrompt(int answerLength) {
    if (Count()) Record("ask prompt " + std::to_string(answerLength));
}

void CRecordingPort::OfferLabel(int slot) {
    if (Count()) Record("offer label " + std::to_string(slot));
}

void CRecordingPort::SignalDevice(int value) {
    if (Count()) Record("signal device " + std::to_string(value));
}

void CRecordingPort::RelayoutAll() {
    if (Count()) Record("relayout all");
}

void CRecordingPort::SendToSerialPort(const std::string& bytes) {
    if (Count()) Record("serial out " + Hex(bytes));
}

void CRecordingPort::ReportSessionEnded(bool stopped) {
    if (Count()) Record(stopped ? "session stopped" : "session ended");
}

void CRecordingPort::CloseDialog(WindowHandle) {
    if (Count()) Record("close dialog");
}

void CRecordingPort::PlaySound(SoundEventKind kind) {
    if (Count()) Record(std::string("sound ") + kSoundNames[static_cast<int>(kind)]);
}

void CRecordingPort::ServeSentMessages() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

WindowHandle CRecordingPort::CreatePageWindow(CPage& page, WindowHandle) {
    if (Count()) Record("create " + Name(page));
    return makePageWindows ? NewHandle() : nullptr;
}

void CRecordingPort::RefreshPage(CPage& page) {
    if (Count()) Record("refresh " + Name(page));
    page.RefreshFieldWindows();
}

void CRecordingPort::PlacePageWindow(CPage& page, bool show) {
    if (Count()) Record("place " + Name(page) + (show ? " show" : " hide"));
}

void CRecordingPort::RelayoutPage(CPage& page) {
    if (Count()) Record("relayout " + Name(page));
}

void CRecordingPort::FocusPage(CPage& page) {
    if (Count()) Record("focus " + Name(page));
}

void CRecordingPort::UnbindPageWindow(CPage& page) {
    if (Count()) Record("unbind " + Name(page));
}

WindowHandle CRecordingPort::MakeFieldWindow(CField& field) {
    if (Count()) Record("make " + Name(field));
    return makeFieldWindows ? NewHandle() : nullptr;
}

void CRecordingPort::RaiseFieldWindow(CField& field) {
    if (Count()) Record("raise " + Name(field));
}

void CRecordingPort::FocusField(CField& field) {
    if (Count()) Record("focus " + Name(field));
}

void CRecordingPort::CloseFieldWindow(CField& field) {
    if (Count()) Record("close " + Name(field));
}

void CRecordingPort::UnbindFieldWindow(CField& field) {
    if (Count()) Record("unbind " + Name(field));
}

WindowHandle CRecordingPort::NewHandle() {
    // Distinct, non-null and 16-aligned, so no odd parameter is taken for one.
    return reinterpret_cast<WindowHandle>(0x100000 + 16 * ++handlesMade);
}

bool CRecordingPort::Count() {
    ++calls;
    return !onlyCount;
}

void CRecordingPort::Record(std::string event) {
    {
        std::lock_guard<std::mutex> hold(lock);
        events.push_back(std::move(event));
    }
    recorded.notify_all();
}
