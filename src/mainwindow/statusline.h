#pragma once

class form1;

// The main window's status area: why the last "Calculate" added nothing, until the next
// computation or tree click, and otherwise what lasts, such as a library that cannot be
// written. It never opens a box and never takes the focus.
void connectStatusLine(form1& window);
