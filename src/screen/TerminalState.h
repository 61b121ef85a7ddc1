#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/WindowPort.h"
#include "screen/PageList.h"

class CField;
class CSettings;

// 0: the user may type; 1: input is released at the end of the record with
// the focus on the first input field; 2: input is locked until the host answers.
enum class InputState : int32_t { Open = 0, OpenAtFirstField = 1, AwaitingHost = 2 };

// The dialog the record being run asks for.
enum class PendingDialog : int32_t { None = 0, FieldAdvisory = 1, Advisory = 2, Prompt = 3 };

// One toolbar or host label slot.
struct CLabelSlot {
    int32_t id = 0;
    std::u16string text;
};

constexpr int kPageCount = 16;
constexpr int kLabelSlotCount = 37;

// The state the host drives, shared by the interpreter on the connection
// thread, the responses and the window side: the pages, the focus, the input
// lock, the dialog asked for and the labels.
class CTerminalState {
public:
    // Makes the pages with their windows on mainWindow.
    CTerminalState(CWindowPort& windowPort, WindowHandle mainWindow, const CSettings& settings);
    CTerminalState(const CTerminalState&) = delete;
    CTerminalState& operator=(const CTerminalState&) = delete;

    CPage* CurrentPage() const { return pages->FindPage(currentPage); }
    CField* CurrentPageField(int number) const;

    // Focus stops on the current page; -1 when there is none.
    int FirstInputField() const;
    int LastInputField() const;
    void FocusNext();
    void FocusPrevious();
    // Stops the lock animation and hands the focus to the current field's
    // window, or to the page window when no field is current.
    void ApplyFocus();

    // The host's reset: the animation stops, no field has the focus, page 0 is
    // current and displayed, and every page is emptied.
    void Reset(int32_t second);
    // Cancels an open Advisory or prompt dialog.
    void CloseOpenDialog();
    // The host's text as the Advisory and prompt show it.
    std::u16string ShownDialogText() const;
    // The window side takes the input lock off: the operator may type, at
    // the current field.
    void ReleaseInput();
    // How many characters the prompt's answer may have: a length of 0 or
    // below carries no answer.
    int PromptAnswerRoom() const;
    // The prompt dialog's answer as it closes, cut to the room the host gave.
    void KeepPromptAnswer(const std::u16string& answer);
    // Unbinds the page windows and frees the pages, before shutdown.
    void DestroyPages() { pages->DestroyWindows(); }

    bool AwaitingHost() const { return inputState == InputState::AwaitingHost; }

    CWindowPort& port;

    int32_t screenRows = 10;
    int32_t screenCols = 26;
    int32_t connectSecond = 0;
    int32_t terminalId = 1;
    std::unique_ptr<CPageList> pages;
    int32_t currentPage = 0;
    int32_t displayPage = 0;
    // Shared with the main window thread, hence atomic.
    std::atomic<int32_t> currentField{-1};
    std::atomic<InputState> inputState{InputState::AwaitingHost};
    std::atomic<uint8_t> inputLocked{0};
    PendingDialog pendingDialog = PendingDialog::None;
    std::u16string dialogText;
    int32_t dialogField = 0;
    int32_t promptLength = -1;
    std::u16string answerText;
    std::array<CLabelSlot, kLabelSlotCount> labelTable;
    // The Advisory or prompt dialog while it is open; set by the dialog.
    std::atomic<WindowHandle> openDialog{nullptr};
};
