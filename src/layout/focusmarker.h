#pragma once

class QWidget;

// Frames the list, tree, grid or text box of window that has the keyboard focus: the styles
// show the focus on buttons and line edits, but on these only on a current item, if there is
// one.
void markFocus(QWidget& window);
