#pragma once

class QSettings;
class form1;

// Brings the main window back as it was left in settings (its place and size, the catalogs open
// in its tree, the node selected), and keeps that in settings when it closes. Call before the
// window is shown; with nothing saved, the window stays as designed. Either way it opens within
// reach on a screen, fitted into the screen's free area when it is larger.
void rememberWindowState(form1& window, QSettings& settings);
