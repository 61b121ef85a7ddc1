#include "options/AdvisoryDialog.h"

#include "link/Session.h"
#include "options/HostMessageDialog.h"
#include "resources/resource.h"

namespace {

// Input stays locked for as long as the Advisory shows.
const CHostDialogKind kAdvisory = {
    IDD_ADVISORY,
    IDC_ADVISORY_TEXT,
    [](HWND, CSession& session) { session.inputLocked = 1; },
    [](HWND dialog, CSession&) { SetForegroundWindow(dialog); },
    nullptr,
    [](CSession& session) { session.inputLocked = 0; },
};

}  // namespace

INT_PTR RunAdvisoryDialog(HWND owner, CSession& session) {
    return RunHostMessageDialog(owner, session, kAdvisory);
}
