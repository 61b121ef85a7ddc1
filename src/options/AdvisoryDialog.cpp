#include "options/AdvisoryDialog.h"

#include "options/HostMessageDialog.h"
#include "resources/resource.h"
#include "screen/TerminalState.h"

namespace {

// Input stays locked for as long as the Advisory shows.
const CHostDialogKind kAdvisory = {
    IDD_ADVISORY,
    IDC_ADVISORY_TEXT,
    [](HWND, CTerminalState& terminal) { terminal.inputLocked = 1; },
    [](HWND dialog, CTerminalState&) { SetForegroundWindow(dialog); },
    nullptr,
    [](CTerminalState& terminal) { terminal.inputLocked = 0; },
};

}  // namespace

INT_PTR RunAdvisoryDialog(HWND owner, CTerminalState& terminal) {
    return RunHostMessageDialog(owner, terminal, kAdvisory);
}
