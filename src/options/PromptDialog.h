#pragma once

#include <windows.h>

class CSession;

// Asks the host's question ("Hey You") and keeps the answer in the session,
// after Cancel too. Returns the closing command (IDOK or IDCANCEL).
INT_PTR RunPromptDialog(HWND owner, CSession& session);
