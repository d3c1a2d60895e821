#pragma once

#include <windows.h>

#include <optional>

#include "base/identity.h"
#include "gui/form.h"
#include "gui/skin.h"
#include "gui/skin_hook.h"

namespace quenmark {

class frmSplash;

// What skinning a window needs: the identity's switch, the engine the splash window publishes
// as it loads, and the splash window itself, which starts the engine when it is not there.
struct SkinServices {
  const ProductIdentity& identity;
  gui::SkinObject*& SkinObject;
  frmSplash& splash;
};

// Sets the colours of the window's controls by type name, in the window's control order:
// buttons take `buttonBack`; text boxes, combo boxes, list boxes and list views
// `buttonBack` and `fieldFore`; picture boxes `pictureBack`. A colour of none gives the
// control the system's (high contrast). A control that refuses ends the routine with its
// error.
void ApplySkinColours(gui::Form& window, std::optional<COLORREF> buttonBack,
                      std::optional<COLORREF> fieldFore, std::optional<COLORREF> pictureBack);

// Gives plain labels skinned copies: a new element of the SkinLabel array for each, placed,
// sized, captioned and shown like the label, which stays where it is. `All` copies every
// label into SkinLabel1; `ContainerOfFirst` copies, for each SkinLabel array, the labels in
// the container of its element 0.
void copyLabelsToSkinLabels(gui::Form& window, gui::LabelCopies copies);

// Colours the window's controls from the engine and hands the window to it. Without an
// engine (the splash window was not shown at start) the splash window is loaded hidden to
// start one, its countdown stopped, and the steps run once more; a second failure throws.
void SkinWindow(gui::Form& window, SkinServices& services);

// What each window's load calls: nothing while SkinEnabled is false, otherwise the label
// copies asked for and SkinWindow.
gui::SkinHook skinHook(SkinServices& services);

}  // namespace quenmark
