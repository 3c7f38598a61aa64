#pragma once
// Keeping windows on the screen. A window never opens larger than the room the desktop leaves
// for windows (the screen less its panels), nor partly outside it, so every control of it can be
// reached on a small screen or at a large scale factor.
#include <QList>
#include <QKeySequence>
#include <QRect>

class QAbstractButton;
class QWidget;

namespace qv {

// `wanted`, a window's outer rectangle, made to fit `available`: no wider and no taller than it,
// then moved the shortest way that brings it wholly inside. An empty `available` (no screen
// known) leaves `wanted` as it is.
QRect FitInside(const QRect& wanted, const QRect& available);

// The room for windows on the screen that shows `window` (the primary screen while it has none).
QRect AvailableGeometry(const QWidget* window);

// The room a window system's frame takes around a top-level window's client area. Before the
// window has been shown the frame is not known yet; then the title bar's usual height is
// assumed, so that a window placed before it is shown still fits.
QMargins FrameMargins(const QWidget* window);

// Makes every layout inside `root` ask its controls for their sizes afresh. A window measured
// before it is first shown needs this: until then a change inside a nested control (a caption, a
// minimum width) reaches only the layout right around that control.
void RefreshSizeHints(QWidget* root);

// Moves a top-level window, and shrinks it where its minimum size allows, so that its frame lies
// inside `available`. A window that fits already stays where it is.
void KeepInside(QWidget* window, const QRect& available);

// The keys that close a secondary window as its Close button does: Escape and the desktop's own
// Close keys (Ctrl+W, Ctrl+F4 on Linux).
QList<QKeySequence> CloseKeys();
// Makes those keys press `closeButton` while `window` is the active window.
void AddCloseKeys(QWidget* window, QAbstractButton* closeButton);

}  // namespace qv
