#pragma once

#include <windows.h>

class CSession;

// Shows the host's Advisory text until the operator confirms it or the
// session closes it. Returns the closing command (IDOK or IDCANCEL).
INT_PTR RunAdvisoryDialog(HWND owner, CSession& session);
