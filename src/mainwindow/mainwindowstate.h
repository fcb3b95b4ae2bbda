#pragma once

// What the main window's commands and its page view tell each other while
// a dialog or question is open.
struct MainWindowState
{
    // A click on a menu row selects it; off while the edit dialog or a
    // question box is open.
    bool tileClicksAccepted = true;
    // The open question box asks whether to close the editor.
    bool pendingClose = false;
    // The open question box asks whether to clear the selected menu.
    bool pendingClear = false;
};
