#include "support/RecordingPort.h"

#include <chrono>
#include <iterator>
#include <thread>

#include "platform/AppMessages.h"
#include "screen/Field.h"
#include "screen/Page.h"

namespace {

struct MessageName {
    unsigned message;
    const char* name;
};

constexpr MessageName kMessageNames[] = {
    {UM_CONNECT, "UM_CONNECT"},
    {UM_SESSIONENDED, "UM_SESSIONENDED"},
    {UM_CLOSEFIELDWINDOW, "UM_CLOSEFIELDWINDOW"},
    {UM_KEY, "UM_KEY"},
    {UM_FOCUSPAGE, "UM_FOCUSPAGE"},
    {UM_REFRESHPAGE, "UM_REFRESHPAGE"},
    {UM_MOVEFOCUS, "UM_MOVEFOCUS"},
    {UM_TOOLBARLABEL, "UM_TOOLBARLABEL"},
    {UM_TOOLBARKEY, "UM_TOOLBARKEY"},
    {UM_SETCURRENTFIELD, "UM_SETCURRENTFIELD"},
    {UM_FIELDCOMPLETE, "UM_FIELDCOMPLETE"},
    {UM_ADVISORY, "UM_ADVISORY"},
    {UM_PROMPT, "UM_PROMPT"},
    {UM_ANIMATION, "UM_ANIMATION"},
    {UM_LOCKINPUT, "UM_LOCKINPUT"},
    {UM_UNLOCKINPUT, "UM_UNLOCKINPUT"},
    {UM_STOPANIMATION, "UM_STOPANIMATION"},
    {UM_INPUTCHAR, "UM_INPUTCHAR"},
    {UM_BLINK, "UM_BLINK"},
    {UM_RELAYOUT, "UM_RELAYOUT"},
    {UM_GETCURRENTPAGE, "UM_GETCURRENTPAGE"},
    {UM_GETCURRENTFIELD, "UM_GETCURRENTFIELD"},
    {UM_SERIALOUT, "UM_SERIALOUT"},
    {UM_GETINPUTSTATE, "UM_GETINPUTSTATE"},
    {UM_CLEARFIELD, "UM_CLEARFIELD"},
    {UM_LAYOUTFRAME, "UM_LAYOUTFRAME"},
    {UM_HOSTSIGNAL, "UM_HOSTSIGNAL"},
    {kSetCursorMessage, "WM_SETCURSOR"},
};

constexpr const char* kSoundNames[kSoundEventCount] = {
    "Normal", "Error", "ScanAccept", "ScanReject", "User01", "User02", "User03", "User04",
};

std::string MessageText(unsigned message) {
    for (const MessageName& entry : kMessageNames) {
        if (entry.message == message) return entry.name;
    }
    return std::to_string(message);
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

}  // namespace

WindowHandle CRecordingPort::RegisterMainWindow(WindowHandle handle) {
    if (!handle) handle = NewHandle();
    std::lock_guard<std::mutex> hold(lock);
    names[handle] = "main";
    return handle;
}

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

std::string CRecordingPort::NameOf(WindowHandle window) const {
    if (!window) return "null";
    std::lock_guard<std::mutex> hold(lock);
    auto found = names.find(window);
    return found != names.end() ? found->second : "?";
}

intptr_t CRecordingPort::SendMsg(WindowHandle window, unsigned message, uintptr_t wParam,
                                 intptr_t lParam) {
    if (Count()) Record(MessageLine("send", window, message, wParam, lParam));
    return 0;
}

bool CRecordingPort::PostMsg(WindowHandle window, unsigned message, uintptr_t wParam,
                             intptr_t lParam) {
    if (Count()) Record(MessageLine("post", window, message, wParam, lParam));
    return true;
}

void CRecordingPort::SendBytes(WindowHandle window, unsigned message, const std::string& bytes) {
    if (!Count()) return;
    std::string line =
        "bytes " + NameOf(window) + " " + MessageText(message) + " " + std::to_string(bytes.size());
    if (!bytes.empty()) line += " " + Hex(bytes);
    Record(std::move(line));
}

void CRecordingPort::PlaySound(SoundEventKind kind) {
    if (!Count()) return;
    int index = static_cast<int>(kind);
    bool known = index >= 0 && index < static_cast<int>(std::size(kSoundNames));
    Record(std::string("sound ") + (known ? kSoundNames[index] : std::to_string(index)));
}

void CRecordingPort::ServeSentMessages() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

WindowHandle CRecordingPort::CreatePageWindow(CPage& page, WindowHandle parent) {
    WindowHandle handle = makePageWindows ? NewHandle() : nullptr;
    if (Count()) Made("create page", page.pageNumber, handle);
    return handle;
}

void CRecordingPort::RefreshPage(CPage& page) {
    if (Count()) Record("refresh " + NameOf(page.pageWindow));
    page.RefreshFieldWindows();
}

void CRecordingPort::PlacePageWindow(CPage& page, bool show) {
    if (Count()) Record("place " + NameOf(page.pageWindow) + (show ? " show" : " hide"));
}

void CRecordingPort::UnbindPageWindow(CPage& page) {
    if (Count()) Record("unbind " + NameOf(page.pageWindow));
}

WindowHandle CRecordingPort::MakeFieldWindow(CField& field) {
    WindowHandle handle = makeFieldWindows ? NewHandle() : nullptr;
    if (Count()) Made("make field", field.fieldNumber, handle);
    return handle;
}

void CRecordingPort::RaiseFieldWindow(CField& field) {
    if (Count()) Record("raise " + NameOf(field.fieldWindow));
}

void CRecordingPort::CloseFieldWindow(CField& field) {
    if (Count()) Record("close " + NameOf(field.fieldWindow));
}

void CRecordingPort::UnbindFieldWindow(CField& field) {
    if (Count()) Record("unbind " + NameOf(field.fieldWindow));
}

WindowHandle CRecordingPort::NewHandle() {
    // Distinct, non-null and 16-aligned, so no odd parameter is taken for one.
    return reinterpret_cast<WindowHandle>(0x100000 + 16 * ++handlesMade);
}

void CRecordingPort::Made(const char* what, int number, WindowHandle handle) {
    // "make field5" names the window "field5".
    std::string event = what + std::to_string(number);
    if (handle) {
        std::lock_guard<std::mutex> hold(lock);
        names[handle] = event.substr(event.find(' ') + 1);
    }
    Record(std::move(event));
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

std::string CRecordingPort::MessageLine(const char* verb, WindowHandle window, unsigned message,
                                        uintptr_t wParam, intptr_t lParam) const {
    return std::string(verb) + " " + NameOf(window) + " " + MessageText(message) + " " +
           ParamText(static_cast<intptr_t>(wParam)) + " " + ParamText(lParam);
}

std::string CRecordingPort::ParamText(intptr_t value) const {
    if (value == kTakeFocusParam) return "0x02010001";
    std::lock_guard<std::mutex> hold(lock);
    auto found = names.find(reinterpret_cast<WindowHandle>(value));
    return found != names.end() ? found->second : std::to_string(value);
}
