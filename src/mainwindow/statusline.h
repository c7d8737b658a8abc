#pragma once

class form1;

// The main window's status area: why the last "Calculate" added nothing, or what to know about
// the result just computed or recalled, until the next computation, recall or tree click, and
// otherwise what lasts, such as a library that cannot be
// written. It never opens a box and never takes the focus.
void connectStatusLine(form1& window);
