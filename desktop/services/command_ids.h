#pragma once

// Command ids of the menus, toolbar and accelerators. They are also the help contexts of the
// commands (F1 on a highlighted menu item opens the help page at that id).
enum CommandId : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,  // no menu item: Ctrl+Shift+P
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_PROGRAM_READ = 32773,
    ID_PROGRAM_WRITE = 32774,
    ID_PROGRAM_WRITE_MANY = 32860,  // Write to Several Radios...
    ID_SETUP_COM = 32777,
    ID_VIEW_CONTROL_BAR = 32780,
    ID_PRODUCT_INFO = 32786,
    ID_EDIT_CHANNEL_INFO = 32787,
    ID_EDIT_OPTIONAL_FEATURES = 32788,
    ID_SETUP_LANGUAGE = 32799,
    ID_FILE_IMPORT_CHANNELS = 32830,
    ID_FILE_EXPORT_CHANNELS = 32831,
    // Writing safely: the backups of radio reads and comparing images.
    ID_FILE_RADIO_BACKUPS = 32840,
    ID_FILE_COMPARE = 32841,
    ID_FILE_COMPARE_BACKUP = 32842,
    // Editing the channels like a spreadsheet.
    ID_EDIT_CLEAR = 57632,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_SELECT_ALL = 57642,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_EDIT_INSERT_CHANNEL = 32850,
    ID_EDIT_DELETE_CHANNEL = 32851,
    ID_EDIT_MOVE_UP = 32852,
    ID_EDIT_MOVE_DOWN = 32853,
    ID_EDIT_FILL_DOWN = 32854,
    ID_EDIT_SORT = 32855,
};

// Status-bar indicators.
enum IndicatorId : int {
    ID_INDICATOR_CAPS = 59137,
    ID_INDICATOR_NUM = 59138,
    ID_INDICATOR_SCRL = 59139,
};
