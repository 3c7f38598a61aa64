#include "platform/screen_fit.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace qv {

QRect FitInside(const QRect& wanted, const QRect& available) {
  if (!available.isValid() || wanted.isEmpty()) return wanted;
  QRect fitted(wanted.topLeft(), wanted.size().boundedTo(available.size()));
  // The left and top edges win over the right and bottom ones: the title bar stays reachable.
  fitted.moveLeft(std::clamp(fitted.left(), available.left(), available.right() + 1 - fitted.width()));
  fitted.moveTop(std::clamp(fitted.top(), available.top(), available.bottom() + 1 - fitted.height()));
  return fitted;
}

QRect AvailableGeometry(const QWidget* window) {
  const QScreen* screen = window != nullptr ? window->screen() : nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

QMargins FrameMargins(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect client = window->geometry();
  const QMargins known(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                       frame.bottom() - client.bottom());
  if (window->isVisible() || !known.isNull()) return known;
  // Not shown yet: a title bar of the usual height and thin borders, as most desktops draw them.
  const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
  const int border = 2;
  return QMargins(border, title + border, border, border);
}

namespace {

// A layout keeps what it measured, and so does every layout nested in it.
void InvalidateLayout(QLayout* layout) {
  layout->invalidate();
  for (int i = 0; i < layout->count(); ++i) {
    if (QLayout* nested = layout->itemAt(i)->layout()) InvalidateLayout(nested);
  }
}

}  // namespace

void RefreshSizeHints(QWidget* root) {
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.append(root);
  for (QWidget* widget : widgets) {
    if (widget->isWindow() && widget != root) continue;
    widget->updateGeometry();  // the size its parent's layout kept of it
    if (widget->layout() != nullptr) InvalidateLayout(widget->layout());
  }
}

void KeepInside(QWidget* window, const QRect& available) {
  const QMargins frame = FrameMargins(window);
  const QRect outer = window->geometry().marginsAdded(frame);
  const QRect fitted = FitInside(outer, available);
  if (fitted == outer) return;
  if (fitted.size() != outer.size()) window->resize(fitted.marginsRemoved(frame).size().expandedTo(window->minimumSize()));
  // A top-level window's position is that of its frame.
  window->move(fitted.topLeft());
}

QList<QKeySequence> CloseKeys() {
  QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Close);
  keys.append(QKeySequence(Qt::Key_Escape));
  return keys;
}

void AddCloseKeys(QWidget* window, QAbstractButton* closeButton) {
  auto* shortcut = new QShortcut(window);
  shortcut->setKeys(CloseKeys());
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, closeButton, &QAbstractButton::click);
}

}  // namespace qv
