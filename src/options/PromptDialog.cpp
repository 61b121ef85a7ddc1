#include "options/PromptDialog.h"

#include "link/Session.h"
#include "options/DialogControls.h"
#include "options/HostMessageDialog.h"
#include "resources/resource.h"

namespace {

// The answer is kept after Cancel too; only OK sends it.
const CHostDialogKind kPrompt = {
    IDD_PROMPT,
    IDC_PROMPT_TEXT,
    nullptr,
    [](HWND dialog, CSession& session) {
        SendDlgItemMessageW(dialog, IDC_PROMPT_ANSWER, EM_LIMITTEXT, session.promptLength, 0);
    },
    [](HWND dialog, CSession& session) {
        session.answerText = DialogItemText(dialog, IDC_PROMPT_ANSWER)
                                 .substr(0, static_cast<size_t>(session.promptLength));
    },
    nullptr,
};

}  // namespace

INT_PTR RunPromptDialog(HWND owner, CSession& session) {
    return RunHostMessageDialog(owner, session, kPrompt);
}
