#include "platform/posted_messages.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>

namespace qv {

namespace {
// A release lost to another program (the button let go over its window) delays a box at most
// this long; a person holding an arrow longer sees the box then, with the arrow at rest.
constexpr int kReleaseTimeoutMs = 3000;
}  // namespace

PostedMessages::PostedMessages(MessageService& service, QObject* parent) : QObject(parent), service_(service) {
  release_timeout_.setSingleShot(true);
  release_timeout_.setInterval(kReleaseTimeoutMs);
  connect(&release_timeout_, &QTimer::timeout, this, [this] { ShowNext(Buttons::Ignore); });
  if (QCoreApplication* application = QCoreApplication::instance()) application->installEventFilter(this);
}

PostedMessages::~PostedMessages() {
  if (QCoreApplication* application = QCoreApplication::instance()) application->removeEventFilter(this);
}

MessageAnswer PostedMessages::Show(QWidget* parent, const MessageRequest& request) {
  if (request.buttons != MessageButtons::Ok) return service_.Show(parent, request);
  for (const Pending& pending : waiting_) {
    if (pending.request == request && pending.parent == parent) return MessageAnswer::Ok;
  }
  waiting_.push_back(Pending{parent, parent != nullptr, request});
  ScheduleNext();
  return MessageAnswer::Ok;
}

void PostedMessages::ScheduleNext() {
  if (scheduled_ || waiting_.empty()) return;
  scheduled_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        scheduled_ = false;
        ShowNext(Buttons::Wait);
      },
      Qt::QueuedConnection);
}

void PostedMessages::ShowNext(Buttons buttons) {
  // One box at a time; the next one follows when it is closed.
  if (showing_ || waiting_.empty()) return;
  if (buttons == Buttons::Wait && (held_ != Qt::NoButton || QGuiApplication::mouseButtons() != Qt::NoButton)) {
    if (!release_timeout_.isActive()) release_timeout_.start();
    return;  // the release of the button schedules the box
  }
  release_timeout_.stop();
  held_ = Qt::NoButton;
  const Pending next = waiting_.front();
  waiting_.pop_front();
  if (!next.had_parent || !next.parent.isNull()) {
    showing_ = true;
    service_.Show(next.parent, next.request);
    showing_ = false;
  }
  ScheduleNext();
}

bool PostedMessages::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      held_ = static_cast<QMouseEvent*>(event)->buttons();
      break;
    case QEvent::MouseButtonRelease:
      held_ = static_cast<QMouseEvent*>(event)->buttons();
      if (held_ == Qt::NoButton) ScheduleNext();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace qv
