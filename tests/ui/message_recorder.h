#pragma once
// A message service for window tests: records every message and answers from a queue
// (Ok, or No for a yes/no question, when the queue is empty).
#include <QWidget>
#include <deque>
#include <vector>

#include "platform/message_service.h"

namespace qv::test {

class MessageRecorder final : public MessageService {
 public:
  MessageAnswer Show(QWidget* parent, const MessageRequest& request) override {
    shown.push_back(request);
    over_shown_window.push_back(parent != nullptr && parent->isVisible());
    if (!answers.empty()) {
      const MessageAnswer answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
  }
  std::vector<MessageRequest> shown;
  std::vector<bool> over_shown_window;  // for each message: its window was on the screen
  std::deque<MessageAnswer> answers;
};

}  // namespace qv::test
