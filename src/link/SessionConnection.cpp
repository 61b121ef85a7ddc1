// The connection thread and the record handler of the session.
#include <ctime>

#include "config/Settings.h"
#include "link/RecordCutter.h"
#include "link/Session.h"
#include "platform/AppMessages.h"
#include "platform/TextCodec.h"

namespace {

constexpr size_t kReadBlock = 8192;
constexpr int kReadTimeoutSeconds = 5;
constexpr unsigned kCommandMessage = 0x0111;  // WM_COMMAND
constexpr uintptr_t kCancelCommand = 2;       // IDCANCEL

int32_t UtcSecond() {
    return static_cast<int32_t>(std::time(nullptr) % 60);
}

}  // namespace

void CSession::StartConnection() {
    if (threadRunning) return;
    if (connectionThread.joinable()) connectionThread.join();
    stopRequested = 0;
    threadRunning = true;
    connectionThread = std::thread(&CSession::ConnectionThread, this);
}

void CSession::Stop() {
    stopRequested = 1;
    link.Close();
    while (threadRunning) port.ServeSentMessages();
    if (connectionThread.joinable()) connectionThread.join();
}

void CSession::DestroyPages() {
    pages->DestroyWindows();
}

void CSession::CloseOpenDialog() {
    WindowHandle dialog = openDialog;
    if (dialog) port.PostMsg(dialog, kCommandMessage, kCancelCommand, 0);
}

bool CSession::Send(std::string_view text) {
    return link.Send(terminalId, text);
}

void CSession::ConnectionThread() {
    port.SendMsg(mainWindow, UM_ANIMATION, 0, 1);
    screenCols = gSettings->ScreenCols();
    screenRows = gSettings->ScreenRows();
    for (int i = 0; i < pages->Count(); ++i) {
        CPage& page = pages->PageAt(i);
        if (page.pageWindow) port.SendMsg(page.pageWindow, UM_RELAYOUT, 0, 0);
    }
    terminalId = gSettings->TerminalId();
    std::string host = EncodeText(gSettings->HostName(), false);
    uint16_t hostPort = static_cast<uint16_t>(gSettings->HostPort());

    if (link.Connect(host.c_str(), hostPort, &stopRequested)) {
        connectSecond = UtcSecond();
        Send("I");
        CRecordCutter cutter;
        auto onRecord = [this](const unsigned char* record, size_t size) {
            HandleRecord(record, record + size);
        };
        unsigned char block[kReadBlock];
        while (!stopRequested) {
            int got = link.Receive(block, sizeof block, kReadTimeoutSeconds);
            if (got == 0) break;
            if (got < 0) continue;
            if (!cutter.Feed(block, static_cast<size_t>(got), onRecord)) break;
        }
        if (!stopRequested) Send("&");
        link.Close();
    }
    port.PostMsg(mainWindow, UM_SESSIONENDED, static_cast<uintptr_t>(stopRequested.load()), 0);
    threadRunning = false;
}

void CSession::ResetScreen() {
    port.SendMsg(mainWindow, UM_ANIMATION, 0, 0);
    currentField = -1;
    currentPage = 0;
    displayPage = 0;
    pendingDialog = 0;
    pages->ClearAllPages();
    connectSecond = UtcSecond();
}

void CSession::HandleRecord(const unsigned char* p, const unsigned char* e) {
    while (p < e) {
        switch (*p) {
            case 0xFF:
                // The terminator itself is acknowledged, without terminal id.
                if (e - p >= 2 && p[1] == 0xEF) {
                    ++p;
                    link.Send(0, "");
                }
                ++p;
                break;
            case 'A':
                Send("I");
                p += e - p >= 2 ? 2 : 1;
                break;
            case 'H':
                Send("H");
                ++p;
                Interpret(p, e);
                break;
            case 'I':
                ResetScreen();
                ++p;
                CloseOpenDialog();
                break;
            default:
                ++p;
                break;
        }
    }
    port.SendMsg(mainWindow, UM_ANIMATION, 1, inputState == 2 ? 1 : 0);
}
