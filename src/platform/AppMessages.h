#pragma once

// Application window messages: the only way threads, fields, pages, the
// toolbar and dialogs reach the main window and each other.
enum AppMessage : unsigned {
    UM_CONNECT = 3025,
    UM_SESSIONENDED = 3026,
    // To a page window: keep the wParam field windows at lParam as spares.
    UM_CLOSEFIELDWINDOW = 3028,
    UM_KEY = 3030,
    UM_FOCUSPAGE = 3031,
    UM_REFRESHPAGE = 3032,
    UM_MOVEFOCUS = 3033,
    UM_TOOLBARLABEL = 3034,
    UM_TOOLBARKEY = 3035,
    UM_SETCURRENTFIELD = 3036,
    UM_FIELDCOMPLETE = 3037,
    UM_ADVISORY = 3038,
    UM_PROMPT = 3039,
    UM_ANIMATION = 3040,
    UM_LOCKINPUT = 3041,
    UM_UNLOCKINPUT = 3042,
    UM_STOPANIMATION = 3043,
    UM_INPUTCHAR = 3044,
    UM_BLINK = 3045,
    UM_RELAYOUT = 3046,
    UM_GETCURRENTPAGE = 3047,
    UM_GETCURRENTFIELD = 3048,
    UM_SERIALOUT = 3049,
    // wParam: the serial port's generation, whose thread met an I/O error.
    UM_SERIALFAULT = 3050,
    // wParam: the serial port's generation; lParam: the framed input its
    // read thread took from the device, which the handler frees.
    UM_SERIALIN = 3051,
    UM_GETINPUTSTATE = 3052,
    UM_CLEARFIELD = 3053,
    UM_LAYOUTFRAME = 3055,
    UM_HOSTSIGNAL = 3056,
    // To a spare field window: bind the record in lParam, as at its creation.
    UM_BINDFIELD = 3057,
    // To the main window: do the window work another thread held for a
    // record, a list of calls at lParam.
    UM_HELDWORK = 3058,
    // To a page window: hide the spare field windows that still show.
    UM_HIDESPARES = 3059,
};
