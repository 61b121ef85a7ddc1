#pragma once

#include <string>
#include <string_view>
#include <vector>

class CField;
class CPage;

// The page as text, the way a host developer compares it with the device's
// screen: every field's visible text at its row and column (both counted
// from 0, as the host places fields), blanks elsewhere. Hidden fields and
// the text of password fields are not shown; check boxes, select buttons and
// radio buttons show their mark, "[X]" or "(X)", before their label.
std::vector<std::u16string> ScreenRows(const CPage* page, int cols, int rows);

// What one field shows in its cells.
std::u16string ShownText(const CField& field);

// Control characters as \xHH, so that a text never breaks the line it is
// printed on. A line keeps its tabs, which part its columns; a column's text
// has its tabs and backslashes escaped too, so that it can be read back.
std::string Escaped(std::string_view text, bool column);

// One line per field, in list order, tab-separated: number, row, column,
// display length, kind, flags ("-" for none) and the text, control
// characters and backslashes as \xHH.
std::vector<std::string> FieldLines(const CPage* page, const CField* focused);
