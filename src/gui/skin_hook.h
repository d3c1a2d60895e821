#pragma once

#include <functional>

namespace quenmark::gui {

class Form;

// Which plain labels of a window get skinned copies in its SkinLabel1 array before it is
// skinned: none, every one, or only those in the container of element 0.
enum class LabelCopies { None, All, ContainerOfFirst };

// What a window's load calls, after translating itself, to be drawn in the program's skin.
// Empty while skinning is off: the window keeps the plain system style.
using SkinHook = std::function<void(Form& window, LabelCopies copies)>;

}  // namespace quenmark::gui
