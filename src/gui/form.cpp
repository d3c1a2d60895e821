#include "gui/form.h"

#include <commctrl.h>

#include <algorithm>

#include "base/text.h"
#include "base/twips.h"
#include "gui/text.h"
#include "platform/win32/text_win32.h"

namespace quenmark::gui {

namespace {

constexpr int kFirstControlId = 1000;
constexpr UINT kFirstMenuId = 20000;

HFONT createMessageFont(const DpiApi& api, UINT dpi, const std::string& faceName) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  LOGFONTW& font = metrics.lfMessageFont;
  if (!api.systemParametersInfoForDpi ||
      !api.systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
    // Before Windows 10 the metrics come at the system DPI only: scale them.
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
      return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    font.lfHeight =
        MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(api.systemDpi()));
  }
  // The face alone changes; the size stays the system's, so texts fit as they do elsewhere.
  if (!faceName.empty()) {
    const std::wstring face = win32::widen(faceName);
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  }
  return CreateFontIndirectW(&font);
}

}  // namespace

Form::Form(Forms& forms, std::string name, FormDesign design)
    : forms_(forms), name_(std::move(name)), design_(std::move(design)) {}

Form::~Form() {
  // Derived members are gone by now: no handler may run while the window goes.
  for (auto& e : entries_) {
    if (e.control) e.control->form_ = nullptr;
  }
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    HWND w = hwnd_;
    hwnd_ = nullptr;
    for (auto& m : menus_) {
      if (!m->parent_ && m->hidden_ && m->popup_) DestroyMenu(m->popup_);
    }
    DestroyWindow(w);
    forms_.removed(*this);
  }
}

std::vector<TranslatableControl*> Form::controls() {
  std::vector<TranslatableControl*> out;
  for (auto& e : entries_) {
    if (e.control) out.push_back(e.control);
  }
  for (auto& m : menus_) out.push_back(m.get());
  return out;
}

// ---- tables ------------------------------------------------------------------------------

void Form::addControls(std::initializer_list<ControlDef> table) {
  for (const ControlDef& def : table) addControl(def);
}

Control& Form::addControl(const ControlDef& def) {
  Control& c = attachControl(def);
  if (loaded()) {
    entries_.back().runtime = true;
    createControl(entries_.back());
  }
  return c;
}

Control& Form::attachControl(const ControlDef& def) {
  Control* container = nullptr;
  if (!def.container.empty()) {
    container = &control(def.container);
    if (container->kind() != Kind::Frame && container->kind() != Kind::PictureBox) {
      throw std::invalid_argument(def.name + ": container " + def.container + " is no frame");
    }
  }
  Control* c = nullptr;
  if (Control* member = def.bind.control()) {
    if (def.index) throw std::invalid_argument(def.name + ": an array element needs an array");
    c = member;
  } else {
    ControlArrayBase* array = def.bind.array();
    if (def.index && !array) {
      // An array the window does not hold as a member: the layer keeps it.
      auto it = std::find_if(ownedArrays_.begin(), ownedArrays_.end(),
                             [&](const auto& a) { return sameName(a.first, def.name); });
      if (it == ownedArrays_.end()) {
        ownedArrays_.emplace_back(def.name, makeControlArray(def.kind));
        it = std::prev(ownedArrays_.end());
      }
      array = it->second.get();
    }
    if (array) {
      if (!def.index) throw std::invalid_argument(def.name + ": array element without index");
      if (array->exists(*def.index)) {
        throw std::invalid_argument(def.name + "(" + std::to_string(*def.index) +
                                    ") is declared twice");
      }
      c = &array->obtain(*def.index);
    } else {
      owned_.push_back(makeControl(def.kind));
      c = owned_.back().get();
    }
  }
  if (c->kind() != def.kind) {
    throw std::invalid_argument(def.name + " is declared as " + typeName(def.kind) +
                                " but its member is a " + c->typeName());
  }
  if (c->form_) throw std::invalid_argument(def.name + " is already in a table");
  c->attach(*this, def, container);
  entries_.push_back({def, c, false});
  return *c;
}

void Form::addMenus(std::initializer_list<MenuDef> table) {
  for (const MenuDef& def : table) {
    // A parent is named without its index: top-level menus may carry index 0 for their
    // translation keys.
    MenuItem* parent = nullptr;
    if (!def.parent.empty()) {
      auto it = std::find_if(menus_.begin(), menus_.end(),
                             [&](const auto& m) { return sameName(m->name(), def.parent); });
      if (it == menus_.end()) throw std::out_of_range(name_ + " has no menu " + def.parent);
      parent = it->get();
    }
    auto id = kFirstMenuId + static_cast<UINT>(menus_.size());
    menus_.push_back(std::make_unique<MenuItem>(def, parent, id));
  }
}

void Form::bindEvents(std::initializer_list<EventDef> table) {
  for (const EventDef& def : table) {
    bool found = false;
    for (auto& e : entries_) {
      if (!e.control || !sameName(e.control->name(), def.name)) continue;
      if (e.control->array_) {
        e.control->array_->on(def.event, def.handler);
      } else {
        e.control->on(def.event, def.handler);
      }
      found = true;
    }
    for (auto& m : menus_) {
      if (sameName(m->name(), def.name)) {
        m->on(def.event, def.handler);
        found = true;
      }
    }
    for (Timer* t : timers_) {
      if (sameName(t->name(), def.name)) {
        t->on(def.event, def.handler);
        found = true;
      }
    }
    if (!found) throw std::invalid_argument(name_ + " has nothing named " + def.name);
  }
}

// ---- lookups -----------------------------------------------------------------------------

Control& Form::control(std::string_view name, std::optional<int> index) const {
  for (const auto& e : entries_) {
    if (e.control && sameName(e.control->name(), name) && e.control->index() == index) {
      return *e.control;
    }
  }
  std::string what(name);
  if (index) what += "(" + std::to_string(*index) + ")";
  throw std::out_of_range(name_ + " has no control " + what);
}

ControlArrayBase& Form::controlArray(std::string_view name) const {
  for (const auto& e : entries_) {
    if (e.control && e.control->array_ && sameName(e.control->name(), name)) {
      return *e.control->array_;
    }
  }
  throw std::out_of_range(name_ + " has no control array " + std::string(name));
}

MenuItem& Form::menu(std::string_view name, std::optional<int> index) const {
  for (const auto& m : menus_) {
    if (sameName(m->name(), name) && m->index() == index) return *m;
  }
  throw std::out_of_range(name_ + " has no menu " + std::string(name));
}

Timer& Form::timer(std::string_view name) const {
  for (Timer* t : timers_) {
    if (sameName(t->name(), name)) return *t;
  }
  throw std::out_of_range(name_ + " has no timer " + std::string(name));
}

Control* Form::controlById(int id) const {
  for (const auto& e : entries_) {
    if (e.control && e.control->id_ == id) return e.control;
  }
  return nullptr;
}

Control* Form::defaultButton() const {
  Control* focused = controlByHandle(GetFocus());
  if (focused && focused->kind() == Kind::CommandButton && focused->enabledEffectively()) {
    return focused;
  }
  for (const auto& e : entries_) {
    if (e.control && e.control->kind() == Kind::CommandButton &&
        (e.control->options() & opt::kDefault)) {
      return e.control;
    }
  }
  return nullptr;
}

void Form::focusMoved() {
  const Control* chosen = defaultButton();
  for (const auto& e : entries_) {
    Control* c = e.control;
    if (!c || !c->created() || c->kind() != Kind::CommandButton) continue;
    const bool isDefault =
        (GetWindowLongPtrW(c->hwnd(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (isDefault != (c == chosen)) {
      SendMessageW(c->hwnd(), BM_SETSTYLE, c == chosen ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
  }
}

bool Form::arrowInOptionGroup(HWND focus, WPARAM key) {
  const bool back = key == VK_UP || key == VK_LEFT;
  if (!back && key != VK_DOWN && key != VK_RIGHT) return false;
  Control* from = controlByHandle(focus);
  if (!from || from->kind() != Kind::OptionButton) return false;
  std::vector<Control*> group;
  for (const auto& e : entries_) {
    Control* c = e.control;
    if (c && c->created() && c->kind() == Kind::OptionButton && c->container_ == from->container_ &&
        IsWindowVisible(c->hwnd()) && IsWindowEnabled(c->hwnd())) {
      group.push_back(c);
    }
  }
  const auto at = std::find(group.begin(), group.end(), from);
  if (group.size() < 2 || at == group.end()) return false;
  const std::size_t i = static_cast<std::size_t>(at - group.begin());
  Control* to = group[(i + (back ? group.size() - 1 : 1)) % group.size()];
  static_cast<OptionButton*>(to)->setValue(true);
  SetFocus(to->hwnd());
  return true;
}

// The label just before the field in the table and in its container, past the fields that
// share it ("Start:" names both the date and the time); else the container's caption.
std::optional<std::string> Form::labelFor(const Control& field) const {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const Entry& e) { return e.control == &field; });
  while (it != entries_.begin()) {
    const Control* c = (--it)->control;
    if (!c || c->container_ != field.container_) continue;
    const Kind k = c->kind();
    if (k == Kind::Label || k == Kind::SkinLabel) {
      const std::string text = c->caption();
      if (text.empty()) continue;
      return text;
    }
    if (k != Kind::TextBox && k != Kind::ComboBox && k != Kind::DTPicker && k != Kind::TreeView &&
        k != Kind::ListBox) {
      break;
    }
  }
  if (field.container_ && !field.container_->caption().empty()) return field.container_->caption();
  return std::nullopt;
}

Control* Form::cancelButton() const {
  for (const auto& e : entries_) {
    if (e.control && e.control->kind() == Kind::CommandButton &&
        (e.control->options() & opt::kCancel)) {
      return e.control;
    }
  }
  return nullptr;
}

void Form::forget(Control& control) {
  for (auto& e : entries_) {
    if (e.control == &control) e.control = nullptr;
  }
}

void Form::registerTimer(Timer& timer) {
  timer.id_ = nextTimerId_++;
  timers_.push_back(&timer);
}

void Form::unregisterTimer(Timer& timer) { std::erase(timers_, &timer); }

// ---- life cycle --------------------------------------------------------------------------

DWORD Form::windowStyle() const {
  switch (design_.style) {
    case formstyle::kFixed:
      return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    case formstyle::kToolWindow:
      return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    case formstyle::kSplash:
      return WS_POPUP | WS_BORDER;
    default:
      return WS_OVERLAPPEDWINDOW;
  }
}

void Form::load() {
  if (hwnd_ || loading_) return;
  loading_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{loading_};

  dpi_ = static_cast<int>(forms_.dpi().systemDpi());
  const int width = twipsToPixels(design_.width, dpi_);
  const int height = twipsToPixels(design_.height, dpi_);
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  if (design_.style == formstyle::kSplash) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    x = work.left + (work.right - work.left - width) / 2;
    y = work.top + (work.bottom - work.top - height) / 2;
  }
  HWND w = CreateWindowExW(
      WS_EX_CONTROLPARENT | (design_.style == formstyle::kSplash ? WS_EX_TOOLWINDOW : 0),
      Forms::windowClass(), win32::widen(design_.caption).c_str(), windowStyle(), x, y, width,
      height, nullptr, nullptr, forms_.instance(), this);
  if (!w) {
    throw std::runtime_error("cannot create window " + name_ + ": " +
                             win32::errorDescription(GetLastError()));
  }
  forms_.added(*this);
  try {
    int actual = static_cast<int>(forms_.dpi().windowDpi(hwnd_));
    if (actual != dpi_) {
      dpi_ = actual;
      SetWindowPos(hwnd_, nullptr, 0, 0, twipsToPixels(design_.width, dpi_),
                   twipsToPixels(design_.height, dpi_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    applyFont();
    // Index-based: a control created here may add entries of its own.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].control) createControl(entries_[i]);
    }
    createMenus();
    for (Timer* t : timers_) t->apply();
  } catch (...) {
    DestroyWindow(hwnd_);
    throw;
  }
  loading_ = false;
  Form_Load();
}

void Form::createControl(Entry& entry) {
  Control& c = *entry.control;
  // Option buttons following one another in one container form a group, so the arrow keys
  // move between them; every other control starts a group of its own.
  bool group = true;
  if (c.kind() == Kind::OptionButton) {
    for (auto it = entries_.begin(); it != entries_.end() && &*it != &entry; ++it) {
      if (it->control && it->control->created()) {
        group =
            !(it->control->kind() == Kind::OptionButton && it->control->container_ == c.container_);
      }
    }
  }
  int id = kFirstControlId;
  for (const auto& e : entries_) {
    if (e.control) id = std::max(id, e.control->id_ + 1);
  }
  c.create(hwnd_, id, font_.get(), group);
  if (c.kind() == Kind::StatusBar) static_cast<StatusBar&>(c).fit();
}

void Form::createMenus() {
  for (auto& m : menus_) {
    bool hasItems = std::any_of(menus_.begin(), menus_.end(),
                                [&](const auto& other) { return other->parent_ == m.get(); });
    m->popup_ = hasItems ? CreatePopupMenu() : nullptr;
  }
  for (auto& m : menus_) {
    HMENU owner = nullptr;
    if (m->parent_) {
      owner = m->parent_->popup_;
    } else if (!m->hidden_) {
      if (!menuBar_) menuBar_ = CreateMenu();
      owner = menuBar_;
    }
    m->window_ = hwnd_;
    if (!owner) continue;
    std::wstring text = win32::widen(m->caption_);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING | (m->popup_ ? MIIM_SUBMENU : 0);
    mii.fType = m->separator() ? MFT_SEPARATOR : MFT_STRING;
    mii.fState =
        (m->enabled_ ? MFS_ENABLED : MFS_DISABLED) | (m->checked_ ? MFS_CHECKED : MFS_UNCHECKED);
    mii.wID = m->id_;
    mii.hSubMenu = m->popup_;
    mii.dwTypeData = text.data();
    m->pos_ = static_cast<UINT>(GetMenuItemCount(owner));
    InsertMenuItemW(owner, m->pos_, TRUE, &mii);
    m->owner_ = owner;
  }
  if (menuBar_) SetMenu(hwnd_, menuBar_);
}

void Form::destroyMenus() {
  for (auto& m : menus_) {
    // The bar and its pop-ups go with the window; a hidden pop-up is ours to destroy.
    if (!m->parent_ && m->hidden_ && m->popup_) DestroyMenu(m->popup_);
  }
  for (auto& m : menus_) {
    m->owner_ = nullptr;
    m->popup_ = nullptr;
    m->window_ = nullptr;
  }
  menuBar_ = nullptr;
}

void Form::show() {
  load();
  if (!loaded()) return;  // Form_Load unloaded the window
  if (!IsWindowVisible(hwnd_)) {
    int cmd = pendingState_ == WindowState::Minimized   ? SW_SHOWMINIMIZED
              : pendingState_ == WindowState::Maximized ? SW_SHOWMAXIMIZED
                                                        : SW_SHOWNORMAL;
    ShowWindow(hwnd_, cmd);
  }
}

void Form::showModal() {
  load();
  if (!loaded()) return;
  std::vector<HWND> disabled;
  for (Form* f : forms_) {
    if (f != this && f->loaded() && IsWindowEnabled(f->hwnd_)) {
      EnableWindow(f->hwnd_, FALSE);
      disabled.push_back(f->hwnd_);
    }
  }
  show();
  std::optional<WPARAM> quit;
  MSG msg;
  while (loaded()) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      quit = msg.wParam;
      break;
    }
    if (forms_.preTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  for (HWND w : disabled) {
    if (IsWindow(w)) EnableWindow(w, TRUE);
  }
  // The loop that called us ends too.
  if (quit) PostQuitMessage(static_cast<int>(*quit));
}

void Form::hide() {
  if (!loaded() || !IsWindowVisible(hwnd_)) return;
  pendingState_ = windowState();  // shown again as it was
  ShowWindow(hwnd_, SW_HIDE);
}

bool Form::unload() { return requestUnload(UnloadMode::FormCode); }

bool Form::requestUnload(UnloadMode mode) {
  if (!loaded() || unloading_) return !loaded();
  bool cancel = false;
  Form_QueryUnload(cancel, mode);
  if (cancel || !loaded()) return !loaded();
  return finishUnload();
}

bool Form::finishUnload() {
  if (!loaded() || unloading_) return !loaded();
  unloading_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{unloading_};
  bool cancel = false;
  Form_Unload(cancel);
  if (cancel || !loaded()) return !loaded();
  DestroyWindow(hwnd_);
  return true;
}

void Form::unloaded() {
  for (Timer* t : timers_) t->stopped();
  destroyMenus();
  // Controls added at run time go with the window, as unloaded array elements do.
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (!it->runtime) {
      ++it;
      continue;
    }
    Control* c = it->control;
    it = entries_.erase(it);
    if (!c) continue;
    c->form_ = nullptr;
    if (c->array_ && c->index_) {
      c->array_->erase(*c->index_);
    } else {
      std::erase_if(owned_, [&](const auto& p) { return p.get() == c; });
    }
  }
  for (auto& e : entries_) {
    if (e.control) e.control->attach(*this, e.def, e.control->container_);
  }
  lastFocus_ = nullptr;
  pendingState_ = WindowState::Normal;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  forms_.removed(*this);
}

// ---- window properties -------------------------------------------------------------------

bool Form::visible() const { return loaded() && IsWindowVisible(hwnd_); }

WindowState Form::windowState() const {
  if (!visible()) return pendingState_;
  if (IsIconic(hwnd_)) return WindowState::Minimized;
  if (IsZoomed(hwnd_)) return WindowState::Maximized;
  return WindowState::Normal;
}

void Form::setWindowState(WindowState state) {
  if (!visible()) {
    pendingState_ = state;
    return;
  }
  if (state != WindowState::Normal) {
    ShowWindow(hwnd_, state == WindowState::Minimized ? SW_MINIMIZE : SW_MAXIMIZE);
    return;
  }
  // A window minimised from maximised comes back maximised: restore once more.
  ShowWindow(hwnd_, SW_RESTORE);
  if (IsZoomed(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
}

std::string Form::caption() const {
  return loaded() ? win32::narrow(windowText(hwnd_)) : design_.caption;
}

void Form::setCaption(const std::string& text) {
  design_.caption = text;
  if (loaded()) SetWindowTextW(hwnd_, win32::widen(text).c_str());
}

bool Form::enabled() const { return !loaded() || IsWindowEnabled(hwnd_); }

void Form::setEnabled(bool on) {
  load();
  EnableWindow(hwnd_, on ? TRUE : FALSE);
}

void Form::activate() {
  if (!loaded()) return;
  if (!IsWindowVisible(hwnd_)) show();
  SetForegroundWindow(hwnd_);
  SetActiveWindow(hwnd_);
}

int Form::left() const {
  if (!loaded()) return 0;
  RECT r;
  GetWindowRect(hwnd_, &r);
  return pixelsToTwips(r.left, dpi_);
}

int Form::top() const {
  if (!loaded()) return 0;
  RECT r;
  GetWindowRect(hwnd_, &r);
  return pixelsToTwips(r.top, dpi_);
}

int Form::width() const {
  if (!loaded()) return design_.width;
  RECT r;
  GetWindowRect(hwnd_, &r);
  return pixelsToTwips(r.right - r.left, dpi_);
}

int Form::height() const {
  if (!loaded()) return design_.height;
  RECT r;
  GetWindowRect(hwnd_, &r);
  return pixelsToTwips(r.bottom - r.top, dpi_);
}

void Form::move(int left, int top, int width, int height) {
  design_.width = width;
  design_.height = height;
  if (!loaded()) return;
  SetWindowPos(hwnd_, nullptr, twipsToPixels(left, dpi_), twipsToPixels(top, dpi_),
               twipsToPixels(width, dpi_), twipsToPixels(height, dpi_),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::setClientSize(int width, int height) {
  if (!loaded()) return;
  RECT outer{}, inner{};
  GetWindowRect(hwnd_, &outer);
  GetClientRect(hwnd_, &inner);
  const int w = outer.right - outer.left + twipsToPixels(width, dpi_) - inner.right;
  const int h = outer.bottom - outer.top + twipsToPixels(height, dpi_) - inner.bottom;
  design_.width = pixelsToTwips(w, dpi_);
  design_.height = pixelsToTwips(h, dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::scaleWidth() const {
  if (!loaded()) return 0;
  RECT r;
  GetClientRect(hwnd_, &r);
  return pixelsToTwips(r.right, dpi_);
}

int Form::scaleHeight() const {
  if (!loaded()) return 0;
  RECT r;
  GetClientRect(hwnd_, &r);
  return pixelsToTwips(r.bottom, dpi_);
}

// ---- layout ------------------------------------------------------------------------------

void Form::applyFont() {
  // The old font goes only once no control uses it any more; deleting the stock font the
  // fallback gives is harmless.
  win32::UniqueFont old(font_.release());
  font_.reset(createMessageFont(forms_.dpi(), static_cast<UINT>(dpi_), design_.fontName));
  for (auto& e : entries_) {
    if (e.control && e.control->created()) {
      SendMessageW(e.control->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    }
  }
}

void Form::relayout() {
  for (auto& e : entries_) {
    if (!e.control || !e.control->created()) continue;
    layoutControl(*e.control);
    e.control->onDpiChanged();
  }
}

void Form::layoutControl(Control& c) {
  if (c.kind() == Kind::StatusBar) {
    static_cast<StatusBar&>(c).fit();
  } else {
    c.applyGeometry();
  }
}

void Form::refreshContained(Control& container) {
  for (auto& e : entries_) {
    if (!e.control || !e.control->created()) continue;
    for (Control* p = e.control->container_; p; p = p->container_) {
      if (p == &container) {
        e.control->applyShown();
        e.control->applyGeometry();
        break;
      }
    }
  }
}

void Form::selectOption(OptionButton& button) {
  for (auto& e : entries_) {
    if (!e.control || !e.control->created() || e.control->kind() != Kind::OptionButton) continue;
    if (e.control->container_ != button.container_) continue;
    bool chosen = e.control == &button;
    SendMessageW(e.control->hwnd(), BM_SETCHECK, chosen ? BST_CHECKED : BST_UNCHECKED, 0);
    // Tab stops at the chosen button of a group, as in a dialog.
    LONG_PTR style = GetWindowLongPtrW(e.control->hwnd(), GWL_STYLE);
    SetWindowLongPtrW(e.control->hwnd(), GWL_STYLE,
                      chosen ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
  }
}

// ---- events ------------------------------------------------------------------------------

void Form::raise(Control&, const Handler& handler, EventArgs& args) { handler(*this, args); }

void Form::clickMenu(MenuItem& item) {
  auto it = item.handlers_.find(Event::Click);
  if (it == item.handlers_.end() || !it->second) return;
  EventArgs args;
  args.index = item.index();
  it->second(*this, args);
}

void Form::popupMenu(MenuItem& menu) {
  if (!loaded() || !menu.popup()) return;
  POINT at;
  GetCursorPos(&at);
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(hwnd_);
  TrackPopupMenu(menu.popup(), TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}

// The captions carry no access-key marks: a letter stands for the items whose captions begin
// with it. The only one is chosen at once; among several the next is highlighted, never
// chosen, as Windows does with a mark used twice. On the bar the next one opens, which
// changes nothing yet.
LRESULT Form::menuChar(wchar_t key, HMENU menu) const {
  const char32_t wanted = foldCodePoint(key);
  std::vector<int> matches;
  int highlighted = -1;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
    if (mii.fState & MFS_HILITE) highlighted = i;
    if (mii.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) continue;
    wchar_t first[2] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), first, 2, MF_BYPOSITION);
    if (first[0] && foldCodePoint(first[0]) == wanted) matches.push_back(i);
  }
  if (matches.empty()) return MAKELRESULT(0, MNC_IGNORE);
  const auto next = std::upper_bound(matches.begin(), matches.end(), highlighted);
  const int item = next == matches.end() ? matches.front() : *next;
  const bool bar = menu == GetMenu(hwnd_);
  return MAKELRESULT(item, matches.size() == 1 || bar ? MNC_EXECUTE : MNC_SELECT);
}

bool Form::hookMessage(std::uint32_t message, MessageHandler handler) {
  if (!handler) return false;
  hooks_[message] = std::move(handler);
  return true;
}

void Form::unhookMessage(std::uint32_t message) { hooks_.erase(message); }

bool Form::onCommand(WPARAM wParam, LPARAM lParam) {
  int id = LOWORD(wParam);
  UINT code = HIWORD(wParam);
  if (lParam) {
    Control* c = controlById(id);
    if (!c || c->hwnd() != reinterpret_cast<HWND>(lParam)) return false;
    c->onCommand(code);
    return true;
  }
  if (code != 0) return false;
  if (id == IDCANCEL || id == IDOK) {
    // Escape, or Enter with no default button: what the keyboard interface sends.
    Control* b = id == IDCANCEL ? cancelButton() : defaultButton();
    if (b && b->created() && b->enabledEffectively()) {
      static_cast<CommandButton*>(b)->click();
    } else if (!b && id == IDCANCEL && design_.escapeCloses) {
      PostMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return true;
  }
  for (auto& m : menus_) {
    if (m->id_ == static_cast<UINT>(id)) {
      clickMenu(*m);
      return true;
    }
  }
  return false;
}

LRESULT CALLBACK Form::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Form* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = window;
  } else {
    self = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  // No exception may cross into Windows: it is reported and the message counts as handled.
  try {
    return self->handleMessage(message, wParam, lParam);
  } catch (const std::exception& e) {
    self->forms_.reportError(self->name_ + ": " + e.what());
  } catch (...) {
    self->forms_.reportError(self->name_ + ": unknown exception");
  }
  return 0;
}

void Form::setBackColor(std::optional<COLORREF> color) {
  backColor_ = color;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Form::setForeColor(std::optional<COLORREF> color) {
  foreColor_ = color;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

HBRUSH Form::brush(COLORREF color) {
  auto& b = brushes_[color];
  if (!b) b.reset(CreateSolidBrush(color));
  return b.get();
}

Control* Form::controlByHandle(HWND window) const {
  for (const auto& e : entries_) {
    if (e.control && e.control->hwnd() == window) return e.control;
  }
  return nullptr;
}

// The colours of a child control as it asks for them: its own, else the window's for
// the controls that stand on the window (labels, boxes, frames), else the system's.
std::optional<LRESULT> Form::controlColor(UINT message, HDC dc, HWND window) {
  const Control* c = controlByHandle(window);
  // A combo box's edit field and drop-down list ask for themselves.
  if (!c && GetParent(window) != hwnd_) c = controlByHandle(GetParent(window));
  const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ||
                     (c && (c->kind() == Kind::TextBox || c->kind() == Kind::ComboBox));
  std::optional<COLORREF> back = c ? c->backColor() : std::nullopt;
  std::optional<COLORREF> fore = c ? c->foreColor() : std::nullopt;
  if (!field) {
    if (!back) back = backColor_;
    if (!fore) fore = foreColor_;
  }
  if (!back && !fore) return std::nullopt;
  if (fore) SetTextColor(dc, *fore);
  const COLORREF fill = back.value_or(GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE));
  SetBkColor(dc, fill);
  return reinterpret_cast<LRESULT>(brush(fill));
}

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = hwnd_;
  if (auto it = hooks_.find(message); it != hooks_.end()) {
    // A copy: the handler may hook this message afresh (the skin does, as it redraws).
    const MessageHandler hook = it->second;
    if (auto answer = hook(wParam, lParam)) return *answer;
  }
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      if (auto r = controlColor(message, reinterpret_cast<HDC>(wParam),
                                reinterpret_cast<HWND>(lParam))) {
        return *r;
      }
      break;
    case WM_ERASEBKGND:
      if (backColor_) {
        RECT r{};
        GetClientRect(window, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush(*backColor_));
        return 1;
      }
      break;
    case WM_COMMAND:
      if (onCommand(wParam, lParam)) return 0;
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      Control* c = controlById(static_cast<int>(header->idFrom));
      if (c && c->hwnd() == header->hwndFrom) {
        if (auto r = c->onNotify(*header)) return *r;
      }
      break;
    }
    case WM_TIMER:
      for (Timer* t : timers_) {
        if (t->id_ == wParam) {
          t->tick();
          return 0;
        }
      }
      break;
    case WM_SIZE:
      for (auto& e : entries_) {
        if (e.control && e.control->kind() == Kind::StatusBar) {
          static_cast<StatusBar*>(e.control)->fit();
        }
      }
      if (!loading_) Form_Resize();
      return 0;
    case WM_MENUCHAR:
      if (!(HIWORD(wParam) & MF_SYSMENU)) {
        return menuChar(static_cast<wchar_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
      }
      break;
    case WM_SYSCOLORCHANGE:
      // Common controls learn of new system colours only from their window.
      for (auto& e : entries_) {
        if (e.control && e.control->created()) {
          SendMessageW(e.control->hwnd(), WM_SYSCOLORCHANGE, wParam, lParam);
        }
      }
      RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
      break;
    case DM_GETDEFID:
      if (Control* b = defaultButton(); b && b->created()) {
        return MAKELRESULT(b->id_, DC_HASDEFID);
      }
      return 0;
    case WM_DPICHANGED: {
      dpi_ = LOWORD(wParam);
      const RECT* r = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      applyFont();
      relayout();
      return 0;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        // The close box, the system menu and Alt+F4 all come this way; a WM_CLOSE that
        // arrives on its own was sent by another program.
        closingFromMenu_ = true;
        LRESULT r = DefWindowProcW(window, message, wParam, lParam);
        closingFromMenu_ = false;
        return r;
      }
      break;
    case WM_CLOSE:
      requestUnload(closingFromMenu_ ? UnloadMode::FormControlMenu : UnloadMode::AppTaskManager);
      return 0;
    case WM_QUERYENDSESSION: {
      bool cancel = false;
      Form_QueryUnload(cancel, UnloadMode::AppWindows);
      return cancel ? FALSE : TRUE;
    }
    case WM_ENDSESSION:
      if (wParam) finishUnload();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS: {
      HWND target = lastFocus_ && IsWindow(lastFocus_) && IsChild(window, lastFocus_)
                        ? lastFocus_
                        : GetNextDlgTabItem(window, nullptr, FALSE);
      if (target) SetFocus(target);
      return 0;
    }
    case WM_NCDESTROY: {
      LRESULT r = DefWindowProcW(window, message, wParam, lParam);
      unloaded();
      return r;
    }
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quenmark::gui
