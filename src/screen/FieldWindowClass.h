#pragma once

class CField;

// The window class that shows a field, chosen by field class and control kind.
enum class FieldWindowClass {
    None,
    Entry,
    Fixed,
    System,
    Button,
    SelectButton,
    CheckBox,
    RadioButton,
    Keys,
};

FieldWindowClass WindowClassFor(const CField& field);
