#pragma once

#include <Qt>

// The frame of every dialog: a title and a close box, no window icon, a fixed size.
inline constexpr Qt::WindowFlags DialogFrame =
    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
