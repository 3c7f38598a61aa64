#pragma once
// Message boxes that never open from inside a control's own event.
//
// A modal box opened while a control is still handling its event keeps that event from
// finishing: a spin arrow whose button is still down never sees the release (it goes to the
// box) and its auto-repeat runs on, a key filter's key release lands in the box, and a screen
// reader that pressed or set the control waits until the box is closed. So a window hands its
// OK boxes to this service, which shows each one after the event has returned and, while a
// mouse button is held, after that button has been released.
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>

#include "platform/message_service.h"

namespace qv {

class PostedMessages final : public QObject, public MessageService {
 public:
  // Boxes are shown through `service`. The application's mouse events are watched (not
  // changed) to know when no button is held.
  explicit PostedMessages(MessageService& service, QObject* parent = nullptr);
  ~PostedMessages() override;

  // An OK box is queued and shown later, and Ok is returned at once: the only answer it has.
  // The same box already waiting is not queued twice, so a message is shown once however
  // often the event that causes it repeats. A question (yes/no) needs its answer now and is
  // asked at once through the service; windows ask questions only from clicks.
  MessageAnswer Show(QWidget* parent, const MessageRequest& request) override;

  // True while one of the queued boxes is open.
  bool Showing() const { return showing_; }
  // Boxes still waiting to be shown.
  std::size_t WaitingCount() const { return waiting_.size(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Pending {
    QPointer<QWidget> parent;
    bool had_parent = false;  // a box whose window has gone is dropped, not shown alone
    MessageRequest request;
  };
  enum class Buttons { Wait, Ignore };
  void ScheduleNext();
  void ShowNext(Buttons buttons);

  MessageService& service_;
  std::deque<Pending> waiting_;
  Qt::MouseButtons held_ = Qt::NoButton;
  bool scheduled_ = false;
  bool showing_ = false;
  // Bounds the wait for a release that never comes (kReleaseTimeoutMs).
  QTimer release_timeout_;
};

}  // namespace qv
