#pragma once

class QAbstractItemView;

// The view lays out of each cell's text only what TextRules::shown() keeps. A cell shows one
// line anyway, and measuring a text of megabytes, which a library made by hand may hold, for
// every cell of every row holds the window up for seconds.
void cutLongCells(QAbstractItemView& view);
