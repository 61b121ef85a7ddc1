#include "toolbar/ToolBarSize.h"

#include "resources/resource.h"

CToolBarSize ToolBarSizeFor(int toolbarSize) {
    switch (toolbarSize) {
        case 1:
            return {43,
                    {IDB_TOOLBAR_SAVE_43, IDB_TOOLBAR_BACK_43, IDB_TOOLBAR_EXIT_43,
                     IDB_TOOLBAR_NEXT_43, IDB_TOOLBAR_CLEAR_43}};
        case 2:
            return {59,
                    {IDB_TOOLBAR_SAVE_59, IDB_TOOLBAR_BACK_59, IDB_TOOLBAR_EXIT_59,
                     IDB_TOOLBAR_NEXT_59, IDB_TOOLBAR_CLEAR_59}};
        default:
            return {27,
                    {IDB_TOOLBAR_SAVE_27, IDB_TOOLBAR_BACK_27, IDB_TOOLBAR_EXIT_27,
                     IDB_TOOLBAR_NEXT_27, IDB_TOOLBAR_CLEAR_27}};
    }
}

int ToolBarButtonLeft(int index, int height) {
    return 4 + index * height;
}
