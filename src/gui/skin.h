#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "gui/forms.h"
#include "core/presentation/skin_palette.h"
#include "platform/win32/theme_api_win32.h"

namespace quenmark::gui {

class Form;

// The program's own skin engine: one palette, light or dark after the Windows app mode, and
// the drawing of a window's background, buttons, check boxes, option buttons, frames, labels
// and lists in it. Menus, scroll bars and the date pickers' fields stay the system's. While
// Windows' high contrast is on, it steps aside: every window keeps the system's colours and
// drawing, the user's own scheme.
class SkinObject {
 public:
  using SettingsSource = std::function<DisplaySettings()>;
  // `reskin` colours a window's controls and hands it to skinWindow again, as its load does
  // (SkinWindow); it runs for every skinned window when the palette changes. `source` tells
  // what Windows is set to; tests answer for it where Windows cannot be switched.
  explicit SkinObject(Forms& forms, std::function<void(Form&)> reskin = {},
                      SettingsSource source = systemDisplaySettings);
  SkinObject(const SkinObject&) = delete;
  SkinObject& operator=(const SkinObject&) = delete;
  ~SkinObject();

  // The colours the program sets on controls itself; none under high contrast.
  std::optional<COLORREF> buttonAndFieldBackColor() const;
  std::optional<COLORREF> fieldForeColor() const;
  std::optional<COLORREF> pictureBackColor() const;

  // Draws the window in the skin from now on (or leaves it to the system under high
  // contrast), and again whenever Windows' colours change.
  void skinWindow(Form& window);

  PaletteChoice choice() const { return choice_; }
  // The palette drawn with; none under high contrast.
  const std::optional<SkinPalette>& palette() const { return palette_; }
  // Asks the source again; when the choice has changed, every skinned window that is loaded
  // is coloured and drawn anew.
  void settingsChanged();
  void setSettingsSource(SettingsSource source);

  // What Windows is set to: high contrast and the app mode.
  static DisplaySettings systemDisplaySettings();

 private:
  void apply(PaletteChoice choice);
  void paintControls(Form& window);
  void stepAside(Form& window);
  void captionColors(HWND window) const;

  Forms& forms_;
  std::function<void(Form&)> reskin_;
  SettingsSource source_;
  PaletteChoice choice_;
  std::optional<SkinPalette> palette_;
  win32::UxThemeApi uxtheme_;
  win32::DwmApi dwmapi_;
};

}  // namespace quenmark::gui
