#pragma once

#include <windows.h>

#include <string>

// Helpers the dialogs share for their controls.

// An edit for an unsigned number with its spin: at most limit characters,
// the spin's range, and the value.
void SetupNumberEdit(HWND dialog, int editId, int spinId, int limit, int low, int high, int value);

// A check box or radio button shown checked or not, and whether it is.
void SetChecked(HWND dialog, int id, bool checked);
bool IsChecked(HWND dialog, int id);

// The whole text of a control.
std::u16string DialogItemText(HWND dialog, int id);

struct CChoiceList;

// A drop-down filled with the list's entries (sorted when its style says so)
// and showing the entry at index.
void FillChoiceBox(HWND dialog, int id, const CChoiceList& list, int index);

// The entry the drop-down's text names, or -1 (see ChoiceIndexTyped).
int ChoiceBoxIndex(HWND dialog, int id, const CChoiceList& list);
