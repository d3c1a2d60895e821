#include "gui/menu.h"

#include "platform/win32/text_win32.h"

namespace quenmark::gui {

MenuItem::MenuItem(const MenuDef& def, MenuItem* parent, UINT id)
    : name_(def.name),
      index_(def.index),
      caption_(def.caption),
      parent_(parent),
      id_(id),
      enabled_(!(def.options & menuopt::kDisabled)),
      checked_(def.options & menuopt::kChecked),
      hidden_(def.options & menuopt::kHidden) {}

void MenuItem::setCaption(const std::string& text) {
  caption_ = text;
  apply();
}

void MenuItem::refresh() {
  if (window_ && owner_ && owner_ == GetMenu(window_)) DrawMenuBar(window_);
}

void MenuItem::setEnabled(bool on) {
  enabled_ = on;
  apply();
}

void MenuItem::setChecked(bool on) {
  checked_ = on;
  apply();
}

void MenuItem::apply() {
  if (!owner_) return;
  std::wstring text = win32::widen(caption_);
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
  mii.fType = separator() ? MFT_SEPARATOR : MFT_STRING;
  mii.fState = (enabled_ ? MFS_ENABLED : MFS_DISABLED) | (checked_ ? MFS_CHECKED : MFS_UNCHECKED);
  mii.dwTypeData = text.data();
  SetMenuItemInfoW(owner_, pos_, TRUE, &mii);
  refresh();
}

}  // namespace quenmark::gui
