#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "gui/control.h"

namespace quenmark::gui {

// Menu options, combined with |.
namespace menuopt {
inline constexpr unsigned kHidden = 1u << 0;  // a top-level menu kept off the bar: a pop-up
inline constexpr unsigned kDisabled = 1u << 1;
inline constexpr unsigned kChecked = 1u << 2;
}  // namespace menuopt

// One row of a window's menu table. `parent` names the menu the entry belongs to ("" for a
// top-level menu); a parent comes before its entries. A caption of "-" is a separator.
struct MenuDef {
  std::string name;
  std::optional<int> index;
  std::string caption;
  std::string parent{};
  unsigned options = 0;
};

// A menu entry: a top-level menu, a sub-menu, or an item. Its state may be set at any time.
class MenuItem : public TranslatableControl {
 public:
  MenuItem(const MenuDef& def, MenuItem* parent, UINT id);
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  // TranslatableControl
  std::string typeName() const override { return std::string(kMenuTypeName); }
  std::string name() const override { return name_; }
  std::optional<int> index() const override { return index_; }
  std::string caption() const override { return caption_; }
  void setCaption(const std::string& text) override;
  void refresh() override;

  bool enabled() const { return enabled_; }
  void setEnabled(bool on);
  bool checked() const { return checked_; }
  void setChecked(bool on);
  bool separator() const { return caption_ == "-"; }
  bool hidden() const { return hidden_; }

  MenuItem* parent() const { return parent_; }
  // The command id that WM_COMMAND carries for this entry.
  UINT id() const { return id_; }
  // The pop-up holding this menu's entries, once the window exists; null for items.
  HMENU popup() const { return popup_; }

  void on(Event event, Handler handler) { handlers_[event] = std::move(handler); }
  bool handles(Event event) const { return handlers_.count(event) != 0; }

 private:
  friend class Form;
  void apply();  // pushes caption and state to the menu it sits in
  std::string name_;
  std::optional<int> index_;
  std::string caption_;
  MenuItem* parent_;
  UINT id_;
  bool enabled_;
  bool checked_;
  bool hidden_;
  HMENU owner_ = nullptr;  // the menu this entry sits in
  UINT pos_ = 0;           // and its place there
  HMENU popup_ = nullptr;
  HWND window_ = nullptr;  // for redrawing the bar
  std::map<Event, Handler> handlers_;
};

}  // namespace quenmark::gui
