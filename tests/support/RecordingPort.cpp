#include "support/RecordingPort.h"

#include <chrono>
#include <thread>

#include "screen/Field.h"
#include "screen/Page.h"

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

void CRecordingPort::SendToSerialPort(const std::string& bytes) {
    if (onlyCount) return Log("");
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char byte : bytes) hex += {kDigits[byte >> 4], kDigits[byte & 15]};
    Log("serial out ", hex);
}

void CRecordingPort::OfferLabel(int slot, const std::u16string& text) {
    if (onlyCount) return Log("");
    std::string ascii;
    for (char16_t c : text) {
        if (c < 128) ascii += static_cast<char>(c);
    }
    Log("offer label ", std::to_string(slot) + " " + ascii);
}

void CRecordingPort::PlaySound(SoundEventKind kind) {
    static constexpr const char* kNames[kSoundEventCount] = {
        "Normal", "Error", "ScanAccept", "ScanReject", "User01", "User02", "User03", "User04"};
    Log("sound ", kNames[static_cast<int>(kind)]);
}

void CRecordingPort::ServeSentMessages() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void CRecordingPort::RefreshPage(CPage& page) {
    Log("refresh", page);
    page.RefreshFieldWindows();
}

void CRecordingPort::Log(const char* what, const std::string& rest) {
    // No locked add: it would cost a benchmark more than the call it counts,
    // and the count is read only where one thread makes the calls.
    calls.store(calls.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    if (onlyCount) return;
    {
        std::lock_guard<std::mutex> hold(lock);
        events.push_back(what + rest);
    }
    recorded.notify_all();
}

void CRecordingPort::Log(const char* what, int number) {
    Log(what, onlyCount ? "" : std::to_string(number));
}

void CRecordingPort::Log(const char* what, LockAnimationKind kind) {
    Log(what, kind == LockAnimationKind::Connecting ? " connecting" : " awaiting");
}

void CRecordingPort::Log(const char* what, const CPage& page, const char* tail) {
    Log(what, onlyCount ? "" : " page" + std::to_string(page.pageNumber) + tail);
}

void CRecordingPort::Log(const char* what, const CField& field) {
    Log(what, onlyCount ? "" : " field" + std::to_string(field.fieldNumber));
}
