#pragma once

#include <windows.h>

class CTerminalState;

// Shows the host's Advisory text until the operator confirms it or the
// terminal closes it. Returns the closing command (IDOK or IDCANCEL).
INT_PTR RunAdvisoryDialog(HWND owner, CTerminalState& terminal);
