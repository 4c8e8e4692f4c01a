#pragma once

#include <QImage>
#include <QRect>

class QWidget;

namespace corvane {

// Where the pixels of a screen copy came from.
enum class CopySource { Screen, Window };

// The pixels of a rectangle of the screen, in screen coordinates, as a 24-bit RGB picture of
// exactly that size, taken at once. Where the screen can be read (X11, Windows) the picture is
// what the user sees there, other windows included. Where it cannot (Wayland, no screen at
// all) the window is drawn for the same rectangle instead. `source` tells which one was used.
QImage CaptureScreenArea(QRect screenRect, QWidget* fallbackWindow, CopySource* source = nullptr);

// Brings the screen up to date with the window: a dialog that has just closed over it is taken
// off the screen and the window is drawn again where it lay. Without this, a copy taken at once
// would still show the closed dialog.
void ShowWindowAsItIs(QWidget* window);

} // namespace corvane
