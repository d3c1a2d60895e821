#include "gui/control.h"

#include <commctrl.h>

#include <algorithm>

#include "base/twips.h"
#include "gui/accessible.h"
#include "gui/form.h"
#include "gui/text.h"
#include "platform/win32/text_win32.h"

namespace quenmark::gui {

std::string typeName(Kind kind) { return std::string(typeNameOf(kind)); }

Control::~Control() {
  destroy();
  if (form_) form_->forget(*this);
}

Form& Control::form() const {
  if (!form_) throw std::logic_error("control " + name_ + " belongs to no window");
  return *form_;
}

std::string Control::caption() const {
  return created() ? win32::narrow(gui::windowText(hwnd_)) : caption_;
}

void Control::setCaption(const std::string& text) {
  caption_ = text;
  if (created()) SetWindowTextW(hwnd_, win32::widen(text).c_str());
}

void Control::refresh() {
  if (!created()) return;
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
}

void Control::setVisible(bool on) {
  visible_ = on;
  if (!created()) return;
  applyShown();
  if (form_) form_->refreshContained(*this);
}

void Control::setEnabled(bool on) {
  enabled_ = on;
  if (!created()) return;
  applyShown();
  if (form_) form_->refreshContained(*this);
}

void Control::move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (!created() || !form_) return;
  form_->layoutControl(*this);
  form_->refreshContained(*this);
}

void Control::setFocus() {
  requireCreated();
  SetFocus(hwnd_);
}

void Control::on(Event event, Handler handler) { handlers_[event] = std::move(handler); }

std::optional<std::string> Control::accessibleName() const {
  switch (kind_) {
    case Kind::TextBox:
    case Kind::ComboBox:
    case Kind::ListBox:
    case Kind::TreeView:
    case Kind::DTPicker:
      return form_ ? form_->labelFor(*this) : std::nullopt;
    default:
      return std::nullopt;
  }
}

void Control::setBackColor(std::optional<COLORREF> color) {
  if (!hasColors()) throw std::logic_error(typeName() + " " + name_ + " has no BackColor");
  backColor_ = color;
  if (created()) {
    applyColors();
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

void Control::setForeColor(std::optional<COLORREF> color) {
  if (!hasColors()) throw std::logic_error(typeName() + " " + name_ + " has no ForeColor");
  foreColor_ = color;
  if (created()) {
    applyColors();
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

bool Control::hookMessage(std::uint32_t message, MessageHandler handler) {
  if (!handler) return false;
  hooks_[message] = std::move(handler);
  return true;
}

void Control::unhookMessage(std::uint32_t message) { hooks_.erase(message); }

std::optional<LRESULT> Control::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!handles(Event::KeyPress) && !(array_ && array_->handlers_.count(Event::KeyPress))) {
    return std::nullopt;
  }
  if (message == WM_GETDLGCODE && lParam) {
    // Enter goes to the key press handler instead of the default button.
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && wantsEnter()) {
      return callDefault(window, message, wParam, lParam) | DLGC_WANTMESSAGE;
    }
  }
  if (message == WM_CHAR) {
    int key = static_cast<int>(wParam);
    EventArgs args;
    args.keyAscii = &key;
    raise(Event::KeyPress, args);
    // A single-line field has no use for Enter: passing it on would only beep.
    bool multiLine = kind_ == Kind::TextBox && (options_ & opt::kMultiLine);
    if (key == 0 || (key == VK_RETURN && !multiLine)) return 0;
    return callDefault(window, message, static_cast<WPARAM>(key), lParam);
  }
  return std::nullopt;
}

void Control::raise(Event event, EventArgs& args) {
  const Handler* handler = nullptr;
  if (auto it = handlers_.find(event); it != handlers_.end()) {
    handler = &it->second;
  } else if (array_) {
    if (auto a = array_->handlers_.find(event); a != array_->handlers_.end()) handler = &a->second;
  }
  if (!handler || !*handler || !form_) return;
  args.index = index_;
  form_->raise(*this, *handler, args);
}

void Control::requireCreated() const {
  if (!created()) throw std::logic_error("control " + name_ + " has no window yet");
}

void Control::subclass(HWND window) {
  if (!window) return;
  if (SetWindowSubclass(window, &Control::subclassProc, 1, reinterpret_cast<DWORD_PTR>(this))) {
    subclassed_.push_back(window);
  }
}

LRESULT Control::callDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(window, message, wParam, lParam);
}

int Control::dpi() const { return form_ ? form_->dpi() : 96; }

std::wstring Control::windowText() const { return created() ? gui::windowText(hwnd_) : L""; }

LRESULT CALLBACK Control::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
  auto* c = reinterpret_cast<Control*>(self);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &Control::subclassProc, 1);
    std::erase(c->subclassed_, window);
    if (window == c->hwnd_) {
      c->hwnd_ = nullptr;
      // Hooks belong to this window: the next load makes a new one, hooked afresh.
      c->hooks_.clear();
      c->afterDestroy();
    }
    return DefSubclassProc(window, message, wParam, lParam);
  }
  try {
    if (message == WM_SETFOCUS && c->form_) c->form_->focusMoved();
    if (window == c->hwnd_) {
      if (auto it = c->hooks_.find(message); it != c->hooks_.end()) {
        if (auto answer = it->second(wParam, lParam)) return *answer;
      }
      if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT && c->form_) {
        if (auto name = c->accessibleName()) {
          win32::AccessibilityApi& api = c->form_->forms().accessibility();
          if (auto answer = accessibleObjectNamed(api, window, wParam, *name)) return *answer;
        }
      }
    }
    if (auto r = c->onMessage(window, message, wParam, lParam)) return *r;
  } catch (const std::exception& e) {
    if (c->form_) c->form_->forms().reportError(c->form_->name() + ": " + e.what());
    return 0;
  } catch (...) {
    if (c->form_) c->form_->forms().reportError(c->form_->name() + ": unknown exception");
    return 0;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void Control::attach(Form& form, const ControlDef& def, Control* container) {
  form_ = &form;
  id_ = 0;
  name_ = def.name;
  index_ = def.index;
  container_ = container;
  options_ = def.options;
  caption_ = def.caption;
  visible_ = !(def.options & opt::kHidden);
  enabled_ = !(def.options & opt::kDisabled);
  left_ = def.left;
  top_ = def.top;
  width_ = def.width;
  height_ = def.height;
}

void Control::create(HWND parent, int id, HFONT font, bool group) {
  id_ = id;
  // Within a group of option buttons only the first is a tab stop until one is chosen.
  bool stop = tabStop() && (group || kind_ != Kind::OptionButton);
  DWORD st = WS_CHILD | style() | (stop ? WS_TABSTOP : 0) | (group ? WS_GROUP : 0);
  if (shownEffectively()) st |= WS_VISIBLE;
  if (!enabledEffectively()) st |= WS_DISABLED;
  hwnd_ = CreateWindowExW(exStyle(), className(), win32::widen(caption_).c_str(), st, 0, 0, 0, 0,
                          parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          form_->forms().instance(), nullptr);
  if (!hwnd_) {
    throw std::runtime_error("cannot create " + typeName() + " " + name_ + ": " +
                             win32::errorDescription(GetLastError()));
  }
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  subclass(hwnd_);
  applyGeometry();
  afterCreate();
  if (backColor_ || foreColor_) applyColors();
}

void Control::destroy() {
  for (HWND w : std::vector<HWND>(subclassed_)) {
    RemoveWindowSubclass(w, &Control::subclassProc, 1);
  }
  subclassed_.clear();
  if (hwnd_) {
    HWND w = hwnd_;
    hwnd_ = nullptr;
    hooks_.clear();
    DestroyWindow(w);
    afterDestroy();
  }
}

void Control::applyGeometry() {
  if (!created()) return;
  int x = left_, y = top_;
  for (Control* c = container_; c; c = c->container_) {
    x += c->left_;
    y += c->top_;
  }
  int d = dpi();
  SetWindowPos(hwnd_, nullptr, twipsToPixels(x, d), twipsToPixels(y, d), twipsToPixels(width_, d),
               twipsToPixels(height_, d) + extraHeightPixels(d),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Control::applyShown() {
  if (!created()) return;
  ShowWindow(hwnd_, shownEffectively() ? SW_SHOWNA : SW_HIDE);
  EnableWindow(hwnd_, enabledEffectively() ? TRUE : FALSE);
}

bool Control::shownEffectively() const {
  return visible_ && (!container_ || container_->shownEffectively());
}

bool Control::enabledEffectively() const {
  return enabled_ && (!container_ || container_->enabledEffectively());
}

void ControlArrayBase::on(Event event, Handler handler) { handlers_[event] = std::move(handler); }

std::vector<int> ControlArrayBase::indexes() const {
  std::vector<int> out;
  for (const auto& [i, c] : elements_) out.push_back(i);
  return out;
}

Control& ControlArrayBase::element(int index) const {
  auto it = elements_.find(index);
  if (it == elements_.end()) {
    throw std::out_of_range("control array element " + std::to_string(index) + " does not exist");
  }
  return *it->second;
}

Control& ControlArrayBase::obtain(int index) {
  auto& slot = elements_[index];
  if (!slot) {
    slot = make();
    slot->array_ = this;
  }
  return *slot;
}

}  // namespace quenmark::gui
