#pragma once

class form1;

// The main window at the keyboard: Ctrl+Return and F9 run "Calculate" from anywhere in it, Tab
// goes only to controls that take input, the grid's header row is never a cell the user is on,
// and the control with the focus shows it.
void connectKeyboard(form1& window);
