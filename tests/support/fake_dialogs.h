#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace quenmark::testing {

// Answers message boxes from a queue of scripted answers and records every question.
// With the queue empty it answers with the first button (OK, Yes, Abort).
class FakeDialogs : public Dialogs {
 public:
  struct Shown {
    std::string text;
    std::string title;
    MsgButtons buttons;
    MsgIcon icon;
  };

  void answer(MsgResult r) { answers_.push_back(r); }
  void answerFolder(std::optional<std::string> folder) { folders_.push_back(std::move(folder)); }

  std::vector<Shown> shown;
  std::vector<std::string> browsed;
  std::vector<WindowHandle> browseOwners;

  MsgResult messageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                       MsgIcon icon) override {
    shown.push_back({text, title, buttons, icon});
    if (!answers_.empty()) {
      MsgResult r = answers_.front();
      answers_.pop_front();
      return r;
    }
    switch (buttons) {
      case MsgButtons::YesNo: return MsgResult::Yes;
      case MsgButtons::AbortRetryIgnore: return MsgResult::Abort;
      default: return MsgResult::Ok;
    }
  }

  std::optional<std::string> browseForFolder(const std::string& title,
                                             WindowHandle owner) override {
    browsed.push_back(title);
    browseOwners.push_back(owner);
    if (folders_.empty()) return std::nullopt;
    auto f = folders_.front();
    folders_.pop_front();
    return f;
  }

 private:
  std::deque<MsgResult> answers_;
  std::deque<std::optional<std::string>> folders_;
};

}  // namespace quenmark::testing
