#pragma once

// Loads the common controls library and registers its bar and spin classes,
// once per process; later calls only report how that went. Called before a
// dialog that holds common controls, not at start: loading the library
// registers all its window classes and brings in the theming library, which
// under Wine costs tens of milliseconds before the terminal can connect.
bool StartCommonControls();
