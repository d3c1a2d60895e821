#include "windows/skin_window.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "gui/controls.h"
#include "windows/splash_window.h"

namespace quenmark {
namespace {

std::vector<gui::Control*> controlsOf(gui::Form& window) {
  std::vector<gui::Control*> out;
  for (TranslatableControl* t : window.controls()) {
    if (auto* c = dynamic_cast<gui::Control*>(t)) out.push_back(c);
  }
  return out;
}

void copyLabel(gui::Form& window, const gui::Control& label, const std::string& arrayName,
               const gui::Control& first) {
  gui::ControlArrayBase& array = window.controlArray(arrayName);
  const std::vector<int> indexes = array.indexes();
  const int next = indexes.empty() ? 0 : *std::max_element(indexes.begin(), indexes.end()) + 1;
  const std::string container = first.container() ? first.container()->name() : std::string();
  // Top, left, height, width, then the caption and the visibility; the font is the window's.
  gui::Control& copy = window.addControl({gui::Kind::SkinLabel, arrayName, next, "", 0, 0, 0, 0,
                                          container, gui::opt::kHidden, array});
  copy.move(label.left(), label.top(), label.width(), label.height());
  copy.setCaption(label.caption());
  copy.setVisible(label.visible());
  // The copy lies over its label, which stays in place beneath it.
  if (copy.created()) {
    SetWindowPos(copy.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

}  // namespace

void ApplySkinColours(gui::Form& window, std::optional<COLORREF> buttonBack,
                      std::optional<COLORREF> fieldFore, std::optional<COLORREF> pictureBack) {
  for (gui::Control* c : controlsOf(window)) {
    const std::string type = c->typeName();
    if (type == "CommandButton") {
      c->setBackColor(buttonBack);
    } else if (type == "TextBox" || type == "ComboBox" || type == "FileListBox" ||
               type == "DirListBox" || type == "DriveListBox" || type == "ListBox" ||
               type == "ListView") {
      c->setBackColor(buttonBack);
      c->setForeColor(fieldFore);
    } else if (type == "PictureBox") {
      c->setBackColor(pictureBack);
    }
  }
}

void copyLabelsToSkinLabels(gui::Form& window, gui::LabelCopies copies) {
  if (copies == gui::LabelCopies::None) return;
  // The labels as they are before any copy is added.
  std::vector<const gui::Control*> labels;
  std::vector<std::pair<std::string, const gui::Control*>> templates;  // array, element 0
  for (gui::Control* c : controlsOf(window)) {
    if (c->typeName() == "Label") labels.push_back(c);
    if (c->kind() == gui::Kind::SkinLabel && c->index() == 0) templates.emplace_back(c->name(), c);
  }
  for (const gui::Control* label : labels) {
    if (copies == gui::LabelCopies::All) {
      copyLabel(window, *label, "SkinLabel1", window.controlArray("SkinLabel1").element(0));
      continue;
    }
    for (const auto& [array, first] : templates) {
      if (label->container() == first->container()) copyLabel(window, *label, array, *first);
    }
  }
}

void SkinWindow(gui::Form& window, SkinServices& services) {
  auto attempt = [&] {
    if (!services.SkinObject) throw std::logic_error("the skin engine is not running");
    gui::SkinObject& skin = *services.SkinObject;
    ApplySkinColours(window, skin.buttonAndFieldBackColor(), skin.fieldForeColor(),
                     skin.pictureBackColor());
    skin.skinWindow(window);
  };
  try {
    attempt();
    return;
  } catch (const std::exception&) {
    // Started without the splash window: it starts the engine, hidden, and must not go on
    // to open a second main window.
    services.splash.startEngineOnly();
  }
  attempt();
}

gui::SkinHook skinHook(SkinServices& services) {
  return [&services](gui::Form& window, gui::LabelCopies copies) {
    if (!services.identity.SkinEnabled) return;
    copyLabelsToSkinLabels(window, copies);
    SkinWindow(window, services);
  };
}

}  // namespace quenmark
