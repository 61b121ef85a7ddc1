#pragma once

#include <windows.h>

class CTerminalState;

// Asks the host's question ("Hey You") and keeps the answer in the terminal state,
// after Cancel too. Returns the closing command (IDOK or IDCANCEL).
INT_PTR RunPromptDialog(HWND owner, CTerminalState& terminal);
