#include "support/RecordingPort.h"

#include <chrono>
#include <thread>

#include "screen/Field.h"
#include "screen/Page.h"

namespace {

constexpr const char* kSoundNames[kSoundEventCount] = {
    "Normal", "Error", "ScanAccept", "ScanReject", "User01", "User02", "User03", "User04",
};

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

void CRecordingPort::SendToSerialPort(const std::string& bytes) {
    if (!Count()) return;
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line = "serial out ";
    for (unsigned char byte : bytes) {
        line += kDigits[byte >> 4];
        line += kDigits[byte & 15];
    }
    Record(std::move(line));
}

void CRecordingPort::OfferLabel(int slot, const std::u16string& text) {
    if (!Count()) return;
    std::string line = "offer label " + std::to_string(slot) + " ";
    for (char16_t c : text) {
        if (c < 128) line += static_cast<char>(c);
    }
    Record(std::move(line));
}

void CRecordingPort::PlaySound(SoundEventKind kind) {
    if (Count()) Record(std::string("sound ") + kSoundNames[static_cast<int>(kind)]);
}

void CRecordingPort::ServeSentMessages() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void CRecordingPort::RefreshPage(CPage& page) {
    Log("refresh", page);
    page.RefreshFieldWindows();
}

void CRecordingPort::Log(const char* what) {
    if (Count()) Record(what);
}

void CRecordingPort::Log(const char* what, int number) {
    if (Count()) Record(std::string(what) + " " + std::to_string(number));
}

void CRecordingPort::Log(const char* what, const CPage& page, const char* tail) {
    if (Count()) Record(std::string(what) + " page" + std::to_string(page.pageNumber) + tail);
}

void CRecordingPort::Log(const char* what, const CField& field) {
    if (Count()) Record(std::string(what) + " field" + std::to_string(field.fieldNumber));
}

void CRecordingPort::Record(std::string event) {
    {
        std::lock_guard<std::mutex> hold(lock);
        events.push_back(std::move(event));
    }
    recorded.notify_all();
}
