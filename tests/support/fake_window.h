#pragma once

#include <deque>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/i18n/translatable.h"

namespace quenmark::testing {

// A control as translation sees it: plain fields, a repaint counter, and any operation
// told to throw by its name ("typeName", "name", "index", "caption", "setCaption",
// "refresh", "columnCount", "columnText", "setColumnText", "tabCount", "tabCaption",
// "setTabCaption").
class FakeControl : public TranslatableControl {
 public:
  FakeControl(std::string type, std::string name, std::optional<int> index = std::nullopt,
              std::string caption = {})
      : type_(std::move(type)),
        name_(std::move(name)),
        index_(index),
        caption_(std::move(caption)) {}

  std::vector<std::string> columns;  // list-view column headers, from 1
  std::vector<std::string> tabs;     // tab-strip captions, from 1
  std::set<std::string> failing;
  int refreshes = 0;

  std::string typeName() const override { return check("typeName", type_); }
  std::string name() const override { return check("name", name_); }
  std::optional<int> index() const override { return check("index", index_); }
  std::string caption() const override { return check("caption", caption_); }
  void setCaption(const std::string& text) override { caption_ = check("setCaption", text); }
  int columnCount() const override {
    return check("columnCount", static_cast<int>(columns.size()));
  }
  std::string columnText(int n) const override { return check("columnText", columns.at(n - 1)); }
  void setColumnText(int n, const std::string& text) override {
    columns.at(n - 1) = check("setColumnText", text);
  }
  int tabCount() const override { return check("tabCount", static_cast<int>(tabs.size())); }
  std::string tabCaption(int n) const override { return check("tabCaption", tabs.at(n - 1)); }
  void setTabCaption(int n, const std::string& text) override {
    tabs.at(n - 1) = check("setTabCaption", text);
  }
  void refresh() override { refreshes += check("refresh", 1); }

  const std::string& text() const { return caption_; }

 private:
  template <class T>
  T check(const std::string& op, T value) const {
    if (failing.count(op)) throw std::runtime_error(name_ + " has no " + op);
    return value;
  }

  std::string type_;
  std::string name_;
  std::optional<int> index_;
  std::string caption_;
};

// A window holding its controls in creation order (menus among them, as the form layer
// lists them).
class FakeWindow : public TranslatableWindow {
 public:
  explicit FakeWindow(std::string name) : name_(std::move(name)) {}

  FakeControl& add(std::string type, std::string name, std::optional<int> index = std::nullopt,
                   std::string caption = {}) {
    return controls_.emplace_back(std::move(type), std::move(name), index, std::move(caption));
  }

  std::string name() const override { return name_; }
  std::vector<TranslatableControl*> controls() override {
    std::vector<TranslatableControl*> all;
    for (auto& c : controls_) all.push_back(&c);
    return all;
  }

 private:
  std::string name_;
  std::deque<FakeControl> controls_;  // stable addresses
};

}  // namespace quenmark::testing
