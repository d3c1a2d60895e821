#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quenmark {

// What translation and the translation template need to know of a control. The form layer
// implements it over real windows; tests implement it over plain objects. Any call may
// throw when the control lacks the property; callers treat each call as its own step.
class TranslatableControl {
 public:
  virtual ~TranslatableControl() = default;
  // A type name of control_kinds.h, or "Menu".
  virtual std::string typeName() const = 0;
  virtual std::string name() const = 0;
  // The element's index when the control belongs to a control array.
  virtual std::optional<int> index() const = 0;

  virtual std::string caption() const = 0;
  virtual void setCaption(const std::string& text) = 0;

  // List-view column headers and tab-strip tabs, numbered from 1.
  virtual int columnCount() const { return 0; }
  virtual std::string columnText(int /*n*/) const { return {}; }
  virtual void setColumnText(int /*n*/, const std::string& /*text*/) {}
  virtual int tabCount() const { return 0; }
  virtual std::string tabCaption(int /*n*/) const { return {}; }
  virtual void setTabCaption(int /*n*/, const std::string& /*text*/) {}

  virtual void refresh() = 0;
};

// A loaded window: its design-time name and its controls (menus included) in window order.
class TranslatableWindow {
 public:
  virtual ~TranslatableWindow() = default;
  virtual std::string name() const = 0;
  virtual std::vector<TranslatableControl*> controls() = 0;
  // Told when a language has been applied to the window and to the messages, so that texts
  // the window makes from messages itself (display_text.h) show in that language at once.
  virtual void languageApplied() {}
};

}  // namespace quenmark
