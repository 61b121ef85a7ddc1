#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "link/WSockCom.h"
#include "platform/WindowPort.h"
#include "screen/PageList.h"

class CField;

// One toolbar or host label slot.
struct CLabelSlot {
    int32_t id = 0;
    std::u16string text;
};

constexpr int kPageCount = 16;
constexpr int kLabelSlotCount = 37;

// The conversation with the host: the pages it builds and the state the
// interpreter, the responses and the main window share.
class CSession {
public:
    CSession(WindowHandle mainWindow, CWindowPort& windowPort);
    virtual ~CSession();
    CSession(const CSession&) = delete;
    CSession& operator=(const CSession&) = delete;

    // Starts the connection thread: connect, identify, read and run records
    // until the link ends, then post UM_SESSIONENDED. Does nothing while a
    // connection thread runs.
    void StartConnection();
    // Ends the connection thread at once, closing the link under its read,
    // and serves the thread's window calls until it has ended.
    void Stop();
    // Unbinds the page windows and frees the pages, before shutdown.
    void DestroyPages();
    // Cancels an open Advisory or prompt dialog.
    void CloseOpenDialog();

    // Answers one record, terminator included, as the connection thread does.
    void HandleRecord(const unsigned char* p, const unsigned char* e);
    // Runs one host-data record; p ends at e.
    void Interpret(const unsigned char*& p, const unsigned char* e);

    // Responses to the host. Key, field and prompt responses lock input.
    void SendStatus();
    void SendKey(int key);
    void SendFieldComplete();
    void SendPromptAnswer();
    void SendPortData(const unsigned char* bytes, size_t n);

    CPage* CurrentPage() const { return pages->FindPage(currentPage); }
    CField* CurrentPageField(int number) const;

    // Focus stops on the current page; -1 when there is none.
    int FirstInputField() const;
    int LastInputField() const;
    int NextInputField() const;
    int PreviousInputField() const;
    void FocusNext();
    void FocusPrevious();
    // Stops the lock animation and hands the focus to the current field's
    // window, or to the page window when no field is current.
    void ApplyFocus();

    CWindowPort& port;

    std::atomic<int32_t> stopRequested{0};
    int32_t screenRows = 10;
    int32_t screenCols = 26;
    std::unique_ptr<CPageList> pages;
    std::atomic<uint8_t> inputLocked{0};
    int32_t connectSecond = 0;
    // Shared with the main window thread, hence atomic.
    std::atomic<int32_t> currentField{-1};
    int32_t dialogField = 0;
    int32_t currentPage = 0;
    int32_t displayPage = 0;
    int32_t pendingDialog = 0;
    std::u16string dialogText;
    std::u16string answerText;
    int32_t promptLength = -1;
    std::atomic<int32_t> inputState{2};
    int32_t terminalId = 1;
    WindowHandle mainWindow;
    std::array<CLabelSlot, kLabelSlotCount> labelTable;
    WSockCom link;
    std::thread connectionThread;
    // From StartConnection until the connection thread's last message.
    std::atomic<bool> threadRunning{false};
    // The Advisory or prompt dialog while it is open; set by the dialog.
    std::atomic<WindowHandle> openDialog{nullptr};

private:
    void ConnectionThread();
    bool Send(std::string_view text);
    void ResetScreen();
    std::string CurrentFieldData();
};
