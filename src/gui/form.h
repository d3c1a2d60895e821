#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/control.h"
#include "gui/controls.h"
#include "gui/forms.h"
#include "gui/menu.h"
#include "gui/timer.h"
#include "core/i18n/translatable.h"
#include "platform/message_hook.h"
#include "platform/win32/handles.h"

namespace quenmark::gui {

// Why a window is asked to close, with the values the program's close logic knows.
enum class UnloadMode {
  FormControlMenu = 0,  // the user: close box, system menu, Alt+F4
  FormCode = 1,         // the program's own unload
  AppWindows = 2,       // Windows is ending the session
  AppTaskManager = 3,   // another program asked (Task Manager, taskkill): a bare WM_CLOSE
};

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

namespace formstyle {
inline constexpr unsigned kSizable = 0;     // sizing border, minimise and maximise boxes
inline constexpr unsigned kFixed = 1;       // fixed border, minimise box only
inline constexpr unsigned kToolWindow = 2;  // fixed, no boxes
inline constexpr unsigned kSplash = 3;      // no caption, a thin border, centred on the screen
}  // namespace formstyle

// The window's design: caption and outer size in twips; position left to Windows. The
// controls' texts use the system's message font, in `fontName` when one is given.
struct FormDesign {
  std::string caption;
  int width = 6000;
  int height = 4500;
  unsigned style = formstyle::kSizable;
  std::string fontName{};
  // Escape in a window without a cancel button closes it as its close box does.
  bool escapeCloses = false;
};

// One row of an event table: the control, menu or timer by name (every element of an array
// of that name), the event and its handler.
struct EventDef {
  std::string name;
  Event event;
  Handler handler;
};

// A top-level, modeless window with its controls, menus and timers. A derived window
// declares its tables in its constructor; load() creates the window and everything in it
// in table order, then runs Form_Load.
class Form : public TranslatableWindow, public MessageHook {
 public:
  Form(Forms& forms, std::string name, FormDesign design);
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // TranslatableWindow: the controls in table order, then the menu entries in table order.
  std::string name() const override { return name_; }
  std::vector<TranslatableControl*> controls() override;

  // Life cycle. load() is idempotent; unload() asks Form_QueryUnload (FormCode) and
  // Form_Unload and returns whether the window is gone.
  void load();
  void show();
  // Shows the window and lets messages run until it unloads, with the program's other
  // windows disabled meanwhile: the modal form of a window that is otherwise modeless.
  void showModal();
  void hide();
  bool unload();
  bool loaded() const { return hwnd_ != nullptr; }

  bool visible() const;
  void setVisible(bool on) { on ? show() : hide(); }
  // While hidden, the state the window will have when shown.
  WindowState windowState() const;
  void setWindowState(WindowState state);
  std::string caption() const;
  void setCaption(const std::string& text);
  bool enabled() const;
  void setEnabled(bool on);
  // Brings the window to the front and gives it the focus.
  void activate();

  // The window's background and the text of its labels, check boxes, option buttons and
  // frames (0x00BBGGRR); none: the system's. A control's own colours come first.
  std::optional<COLORREF> backColor() const { return backColor_; }
  std::optional<COLORREF> foreColor() const { return foreColor_; }
  void setBackColor(std::optional<COLORREF> color);
  void setForeColor(std::optional<COLORREF> color);
  // A brush of that colour, kept by the window while it lives.
  HBRUSH brush(COLORREF color);
  // Set by whoever draws the window in a skin, so that it can find its windows again.
  bool skinned() const { return skinned_; }
  void setSkinned(bool on) { skinned_ = on; }

  // Outer geometry and client size in twips.
  int left() const;
  int top() const;
  int width() const;
  int height() const;
  void move(int left, int top, int width, int height);
  // Sizes the window so that its client area has this size in twips (a design given by its
  // inside rather than its outer size).
  void setClientSize(int width, int height);
  int scaleWidth() const;
  int scaleHeight() const;
  int dpi() const { return dpi_; }
  HWND hwnd() const { return hwnd_; }
  HFONT font() const { return font_.get(); }
  Forms& forms() const { return forms_; }

  // Lookups by name (letter case ignored); std::out_of_range when absent.
  Control& control(std::string_view name, std::optional<int> index = std::nullopt) const;
  template <class T>
  T& control(std::string_view name, std::optional<int> index = std::nullopt) const {
    return dynamic_cast<T&>(control(name, index));
  }
  ControlArrayBase& controlArray(std::string_view name) const;
  MenuItem& menu(std::string_view name, std::optional<int> index = std::nullopt) const;
  Timer& timer(std::string_view name) const;

  // Adds a control as the table does; once loaded the control is created at once (a new
  // element of a control array, for instance) and goes when the window unloads.
  Control& addControl(const ControlDef& def);
  // Shows a menu as a pop-up at the mouse position; its commands arrive as clicks.
  void popupMenu(MenuItem& menu);
  // MessageHook: extra handling of one message (the tray icon's callback, registered
  // broadcasts, the power broadcast), ahead of the window's own; kept across loads.
  bool hookMessage(std::uint32_t message, MessageHandler handler) override;
  void unhookMessage(std::uint32_t message) override;

 protected:
  void addControls(std::initializer_list<ControlDef> table);
  void addMenus(std::initializer_list<MenuDef> table);
  void bindEvents(std::initializer_list<EventDef> table);

  virtual void Form_Load() {}
  virtual void Form_Resize() {}
  virtual void Form_QueryUnload(bool& /*cancel*/, UnloadMode /*mode*/) {}
  virtual void Form_Unload(bool& /*cancel*/) {}

 private:
  friend class Control;
  friend class OptionButton;
  friend class Timer;
  friend class Forms;

  struct Entry {
    ControlDef def;
    Control* control;
    bool runtime;
  };

  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool requestUnload(UnloadMode mode);
  bool finishUnload();
  void unloaded();
  Control& attachControl(const ControlDef& def);
  void createControl(Entry& entry);
  void createMenus();
  void destroyMenus();
  void applyFont();
  void relayout();
  void layoutControl(Control& c);
  void refreshContained(Control& container);
  void selectOption(OptionButton& button);
  bool onCommand(WPARAM wParam, LPARAM lParam);
  void clickMenu(MenuItem& item);
  Control* controlById(int id) const;
  Control* controlByHandle(HWND window) const;
  std::optional<LRESULT> controlColor(UINT message, HDC dc, HWND control);
  // The focused command button, else the one made the default by the table.
  Control* defaultButton() const;
  Control* cancelButton() const;
  // Shows the default button as such: Enter presses the focused button, as in a dialog.
  void focusMoved();
  // An arrow key on an option button chooses the next (or previous) one of its group and
  // moves the focus there, as it does with automatic buttons; ours are not automatic.
  bool arrowInOptionGroup(HWND focus, WPARAM key);
  std::optional<std::string> labelFor(const Control& field) const;
  LRESULT menuChar(wchar_t key, HMENU menu) const;
  void registerTimer(Timer& timer);
  void unregisterTimer(Timer& timer);
  void forget(Control& control);
  void raise(Control& control, const Handler& handler, EventArgs& args);
  DWORD windowStyle() const;

  Forms& forms_;
  std::string name_;
  FormDesign design_;
  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  win32::UniqueFont font_;
  bool loading_ = false;
  bool unloading_ = false;
  bool closingFromMenu_ = false;
  WindowState pendingState_ = WindowState::Normal;
  HWND lastFocus_ = nullptr;

  std::vector<Entry> entries_;
  std::vector<std::unique_ptr<Control>> owned_;
  std::vector<std::pair<std::string, std::unique_ptr<ControlArrayBase>>> ownedArrays_;
  std::vector<std::unique_ptr<MenuItem>> menus_;
  HMENU menuBar_ = nullptr;
  std::vector<Timer*> timers_;
  UINT_PTR nextTimerId_ = 1;
  std::map<std::uint32_t, MessageHandler> hooks_;
  std::optional<COLORREF> backColor_;
  std::optional<COLORREF> foreColor_;
  std::map<COLORREF, win32::UniqueBrush> brushes_;
  bool skinned_ = false;
};

}  // namespace quenmark::gui
