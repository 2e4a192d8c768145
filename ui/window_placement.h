#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Where a window goes that opens beside the main window: pure arithmetic on
// rectangles, so that it can be checked without any window.
//
// The window is not yet shown and has no frame; the desktop is taken to frame it
// as it framed the main window (`mainFrame` around `mainClient`). `wanted` is the
// size it would like inside its frame and `narrowest` the narrowest client width
// that still shows what matters. The place returned is for the client area: a
// desktop puts the title bar above the top it is given, so a frame's top taken
// for the client's would push the title bar off the screen.
//
// Beside the main window, clear of `others` (frames of windows already open)
// where `room` allows; else sized down below `narrowest` beside the main window,
// on its side with more room, when that still holds a usable window; else over as
// little of the main window as its narrowest width takes.
QRect placementBeside(const QRect& mainFrame, const QRect& mainClient, const QList<QRect>& others,
                      const QRect& room, QSize wanted, int narrowest);
