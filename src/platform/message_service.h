#pragma once
// Message boxes behind a small interface, so that windows never call QMessageBox directly and
// tests can answer every question without a modal loop.
#include <QString>

class QWidget;

namespace qv {

enum class MessageIcon { None, Information, Warning, Stop };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
  QString title;
  QString text;
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
  MessageAnswer default_answer = MessageAnswer::Ok;  // for YesNo: the button Enter presses

  friend bool operator==(const MessageRequest&, const MessageRequest&) = default;
};

class MessageService {
 public:
  virtual ~MessageService() = default;
  // Shows the message modally over `parent` and returns the user's answer.
  virtual MessageAnswer Show(QWidget* parent, const MessageRequest& request) = 0;
};

// The real thing: a QMessageBox with the requested icon, buttons and default button.
class QtMessageService final : public MessageService {
 public:
  MessageAnswer Show(QWidget* parent, const MessageRequest& request) override;
};

}  // namespace qv
