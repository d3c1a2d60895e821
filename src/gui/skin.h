#pragma once

#include <windows.h>

#include "core/presentation/skin_palette.h"
#include "gui/forms.h"
#include "platform/win32/theme_api_win32.h"

namespace quenmark::gui {

class Form;

// The program's own skin engine: one palette, light or dark after the Windows app mode, and
// the drawing of a window's background, buttons, check boxes, option buttons, frames, labels
// and lists in it. Menus, scroll bars and the date pickers' fields stay the system's.
class SkinObject {
 public:
  // `dark` chooses the palette; appsUseDarkTheme() tells what Windows is set to.
  SkinObject(Forms& forms, bool dark);
  SkinObject(const SkinObject&) = delete;
  SkinObject& operator=(const SkinObject&) = delete;
  ~SkinObject();

  // The colours the program sets on controls itself.
  COLORREF buttonAndFieldBackColor() const { return palette_.face; }
  COLORREF fieldForeColor() const { return palette_.faceText; }
  COLORREF pictureBackColor() const { return palette_.picture; }

  // Draws the window in the skin from now on, and again whenever the app mode changes.
  void skinWindow(Form& window);

  bool dark() const { return dark_; }
  const SkinPalette& palette() const { return palette_; }
  // Changes the palette and redraws every skinned window that is loaded.
  void setDark(bool dark);

  // The Windows app mode: whether applications are asked to be dark.
  static bool appsUseDarkTheme();

 private:
  void paintControls(Form& window);
  void captionColors(HWND window) const;

  Forms& forms_;
  bool dark_;
  SkinPalette palette_;
  win32::UxThemeApi uxtheme_;
  win32::DwmApi dwmapi_;
};

}  // namespace quenmark::gui
