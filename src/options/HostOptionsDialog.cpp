#include "options/HostOptionsDialog.h"

#include <commctrl.h>

#include <cstdio>
#include <iterator>

#include "config/Settings.h"
#include "link/WSockCom.h"
#include "options/DialogControls.h"
#include "options/OptionsDialog.h"
#include "platform/TextCodec.h"
#include "platform/WideText_win.h"
#include "resources/resource.h"

namespace {

constexpr int kHostNameLimit = 255;
constexpr uint32_t kPingTimeoutMs = 10;

void FillControls(HWND dialog) {
    const CSettings& s = *gSettings;
    SetupNumberEdit(dialog, IDC_TERMINALID, IDC_TERMINALID_SPIN, 3, 1, 999, s.TerminalId());
    SendDlgItemMessageW(dialog, IDC_HOSTNAME, EM_LIMITTEXT, kHostNameLimit, 0);
    SetDlgItemTextW(dialog, IDC_HOSTNAME, Wide(s.HostName()));
    SetupNumberEdit(dialog, IDC_HOSTPORT, IDC_HOSTPORT_SPIN, 5, 1, 65535, s.HostPort());
    SetChecked(dialog, IDC_USE_UTF8, s.FieldIsUTF8());
}

void StoreControls(HWND dialog) {
    CSettings& s = *gSettings;
    s.SetTerminalId(static_cast<int>(GetDlgItemInt(dialog, IDC_TERMINALID, nullptr, FALSE)));
    s.SetHostName(DialogItemText(dialog, IDC_HOSTNAME));
    s.SetHostPort(static_cast<int>(GetDlgItemInt(dialog, IDC_HOSTPORT, nullptr, FALSE)));
    s.SetFieldIsUTF8(IsChecked(dialog, IDC_USE_UTF8));
}

void PingHost(HWND dialog) {
    std::string host = EncodeText(DialogItemText(dialog, IDC_HOSTNAME), false);
    WSockCom link;
    wchar_t text[100];
    if (link.Ping(host.c_str(), kPingTimeoutMs)) {
        swprintf(text, std::size(text), L"time=%dms TTL=%dms",
                 static_cast<int>(link.Reply().roundTripMs), static_cast<int>(link.Reply().ttl));
    } else {
        lstrcpynW(text, Wide(link.PingErrorText()), static_cast<int>(std::size(text)));
    }
    SetDlgItemTextW(dialog, IDC_PING_RESULT, text);
}

bool OnCommand(HWND dialog, WORD id) {
    if (id != IDC_PING) return false;
    PingHost(dialog);
    return true;
}

const COptionsDialogKind kHostOptions = {IDD_HOSTOPTIONS, FillControls, StoreControls, OnCommand};

}  // namespace

INT_PTR RunHostOptionsDialog(HWND owner) {
    return RunOptionsDialog(owner, kHostOptions);
}
