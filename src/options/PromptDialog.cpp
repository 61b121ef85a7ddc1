#include "options/PromptDialog.h"

#include <algorithm>

#include "options/DialogControls.h"
#include "options/HostMessageDialog.h"
#include "resources/resource.h"
#include "screen/TerminalState.h"

namespace {

// The answer is kept after Cancel too; only OK sends it.
const CHostDialogKind kPrompt = {
    IDD_PROMPT,
    IDC_PROMPT_TEXT,
    nullptr,
    [](HWND dialog, CTerminalState& terminal) {
        int room = terminal.PromptAnswerRoom();
        // A limit of 0 would mean no limit at all, so an edit that may take
        // nothing is made read-only instead.
        SendDlgItemMessageW(dialog, IDC_PROMPT_ANSWER, EM_SETREADONLY, room == 0, 0);
        SendDlgItemMessageW(dialog, IDC_PROMPT_ANSWER, EM_LIMITTEXT, std::max(room, 1), 0);
    },
    [](HWND dialog, CTerminalState& terminal) {
        terminal.KeepPromptAnswer(DialogItemText(dialog, IDC_PROMPT_ANSWER));
    },
    nullptr,
};

}  // namespace

INT_PTR RunPromptDialog(HWND owner, CTerminalState& terminal) {
    return RunHostMessageDialog(owner, terminal, kPrompt);
}
