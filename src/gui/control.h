#pragma once

#include <windows.h>

#include <concepts>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/i18n/control_kinds.h"
#include "core/i18n/translatable.h"
#include "platform/message_hook.h"

namespace quenmark::gui {

class Form;
class Control;

// The control kinds a window can declare; each carries the type name that translation and
// skinning dispatch on.
// The kinds of control, one list for the form layer, translation and the skin.
using Kind = ControlKind;

std::string typeName(Kind kind);

// Creation options of a table row, combined with |.
namespace opt {
inline constexpr unsigned kHidden = 1u << 0;
inline constexpr unsigned kDisabled = 1u << 1;
inline constexpr unsigned kDefault = 1u << 2;      // command button pressed by Enter
inline constexpr unsigned kCancel = 1u << 3;       // command button pressed by Escape
inline constexpr unsigned kEditable = 1u << 4;     // combo box whose text can be typed
inline constexpr unsigned kVirtual = 1u << 5;      // list view fed by a row callback
inline constexpr unsigned kCheckBoxes = 1u << 6;   // tree view with check boxes
inline constexpr unsigned kFlipOnClick = 1u << 7;  // tree view: a click flips the check once
inline constexpr unsigned kTimeFormat = 1u << 8;   // date picker showing HH:mm:ss
inline constexpr unsigned kMultiLine = 1u << 9;    // text box
inline constexpr unsigned kGridLines = 1u << 10;   // list view
inline constexpr unsigned kPassword = 1u << 11;    // text box showing "*" for each character
}  // namespace opt

enum class Event {
  Click,
  KeyPress,
  ItemClick,
  NodeClick,
  NodeCheck,
  Change,
  Timer,
  StatusTextChange,  // web browser: EventArgs::text is the status text
  DownloadComplete,  // web browser
  BeforeNavigate2,   // web browser: EventArgs::text is the address
};

// What a handler learns of its event.
struct EventArgs {
  std::optional<int> index;  // the element's index when the control belongs to an array
  int item = -1;             // ItemClick: the row (from 0); NodeClick/NodeCheck: the node (from 1)
  int* keyAscii = nullptr;   // KeyPress: the character; set it to 0 to swallow the key
  std::string text;          // what a web browser's event carries
};

// An event handler: a member function of the window (bound by pointer, so tables can name
// it before the window exists) or any callable.
//   void (D::*)()            any event
//   void (D::*)(int)         the array index for array elements, otherwise EventArgs::item
//   void (D::*)(int&)        KeyPress: keyAscii
//   void (D::*)(int, int&)   KeyPress of an array element: index, keyAscii
//   void (D::*)(const std::string&)   EventArgs::text
class Handler {
 public:
  Handler() = default;

  template <class D>
  Handler(void (D::*pm)())  // NOLINT(google-explicit-constructor)
      : fn_([pm](Form& f, EventArgs&) { (static_cast<D&>(f).*pm)(); }) {}
  template <class D>
  Handler(void (D::*pm)(int))  // NOLINT(google-explicit-constructor)
      : fn_([pm](Form& f, EventArgs& a) { (static_cast<D&>(f).*pm)(a.index.value_or(a.item)); }) {}
  template <class D>
  Handler(void (D::*pm)(int&))  // NOLINT(google-explicit-constructor)
      : fn_([pm](Form& f, EventArgs& a) { (static_cast<D&>(f).*pm)(keyOf(a)); }) {}
  template <class D>
  Handler(void (D::*pm)(int, int&))  // NOLINT(google-explicit-constructor)
      : fn_([pm](Form& f, EventArgs& a) {
          (static_cast<D&>(f).*pm)(a.index.value_or(0), keyOf(a));
        }) {}

  template <class D>
  Handler(void (D::*pm)(const std::string&))  // NOLINT(google-explicit-constructor)
      : fn_([pm](Form& f, EventArgs& a) { (static_cast<D&>(f).*pm)(a.text); }) {}

  template <class F>
  requires std::invocable<F&> Handler(F f)  // NOLINT(google-explicit-constructor)
      : fn_([f = std::move(f)](Form&, EventArgs&) mutable { f(); }) {}
  template <class F>
  requires std::invocable<F&, EventArgs&> Handler(F f)  // NOLINT(google-explicit-constructor)
      : fn_([f = std::move(f)](Form&, EventArgs& a) mutable { f(a); }) {}

  explicit operator bool() const { return static_cast<bool>(fn_); }
  void operator()(Form& form, EventArgs& args) const { fn_(form, args); }

 private:
  static int& keyOf(EventArgs& a) {
    if (!a.keyAscii) throw std::logic_error("handler expects a key but the event has none");
    return *a.keyAscii;
  }
  std::function<void(Form&, EventArgs&)> fn_;
};

class ControlArrayBase;

// Names the member a table row creates: a control, or the control array it joins.
class Bind {
 public:
  Bind() = default;
  Bind(Control& c) : control_(&c) {}         // NOLINT(google-explicit-constructor)
  Bind(ControlArrayBase& a) : array_(&a) {}  // NOLINT(google-explicit-constructor)
  Control* control() const { return control_; }
  ControlArrayBase* array() const { return array_; }

 private:
  Control* control_ = nullptr;
  ControlArrayBase* array_ = nullptr;
};

// One row of a window's control table. Geometry is in twips, relative to the container (a
// frame named by `container`, or the window's client area). Without `bind` the window owns
// the control; find it with Form::control(name, index).
struct ControlDef {
  Kind kind;
  std::string name;
  std::optional<int> index;
  std::string caption;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::string container{};
  unsigned options = 0;
  Bind bind{};
};

// A child control of a Form. Its window exists from the window's load to its unload;
// caption, visibility, enabled state and geometry may be set at any time, everything else
// needs the window (std::logic_error otherwise).
class Control : public TranslatableControl, public MessageHook {
 public:
  explicit Control(Kind kind) : kind_(kind) {}
  ~Control() override;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // TranslatableControl
  std::string typeName() const override { return gui::typeName(kind_); }
  std::string name() const override { return name_; }
  std::optional<int> index() const override { return index_; }
  std::string caption() const override;
  void setCaption(const std::string& text) override;
  void refresh() override;

  Kind kind() const { return kind_; }
  HWND hwnd() const { return hwnd_; }
  bool created() const { return hwnd_ != nullptr; }
  Form& form() const;
  Control* container() const { return container_; }
  unsigned options() const { return options_; }

  bool visible() const { return visible_; }
  void setVisible(bool on);
  bool enabled() const { return enabled_; }
  void setEnabled(bool on);

  // Geometry in twips, relative to the container.
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void move(int left, int top, int width, int height);
  void setLeft(int v) { move(v, top_, width_, height_); }
  void setTop(int v) { move(left_, v, width_, height_); }
  void setWidth(int v) { move(left_, top_, v, height_); }
  void setHeight(int v) { move(left_, top_, width_, v); }

  void setFocus();

  // Colours as 0x00BBGGRR; none: the system's. Kinds without the property throw
  // std::logic_error, as setting it on such a control always failed.
  std::optional<COLORREF> backColor() const { return backColor_; }
  std::optional<COLORREF> foreColor() const { return foreColor_; }
  void setBackColor(std::optional<COLORREF> color);
  void setForeColor(std::optional<COLORREF> color);

  // MessageHook: one message of the control's own window, ahead of the control's handling
  // (the skin paints buttons this way); for the life of that window only, as a handler may
  // hold on to it: the window of the next load starts without hooks.
  bool hookMessage(std::uint32_t message, MessageHandler handler) override;
  void unhookMessage(std::uint32_t message) override;

  void on(Event event, Handler handler);
  bool handles(Event event) const { return handlers_.count(event) != 0; }

  // The name assistive technology reads where the system would not find it in the control's
  // own text: a field takes the label before it (or its frame's caption). None: the
  // system's (a button, box or label is named by its caption).
  virtual std::optional<std::string> accessibleName() const;

 protected:
  // Creation, shaped by each kind.
  virtual const wchar_t* className() const = 0;
  virtual DWORD style() const { return 0; }
  virtual DWORD exStyle() const { return 0; }
  virtual bool tabStop() const { return false; }
  virtual void afterCreate() {}
  virtual void afterDestroy() {}
  // Notifications from the window: WM_COMMAND codes and WM_NOTIFY records.
  virtual void onCommand(UINT /*code*/) {}
  virtual std::optional<LRESULT> onNotify(NMHDR& /*header*/) { return std::nullopt; }
  // Messages to the control's own window (and to child windows it subclasses).
  virtual std::optional<LRESULT> onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Which colours the kind takes, and how it shows them beyond the colour messages its
  // window answers (list views, tree views and status bars are told by messages).
  virtual bool hasColors() const { return true; }
  virtual void applyColors() {}
  // Whether Enter should reach the control as a key press rather than the default button.
  virtual bool wantsEnter() const { return true; }
  virtual void onDpiChanged() {}
  // Extra height given to the window beyond the design height (drop-down lists).
  virtual int extraHeightPixels(int /*dpi*/) const { return 0; }

  void raise(Event event, EventArgs& args);
  void raise(Event event) {
    EventArgs a;
    raise(event, a);
  }
  void requireCreated() const;
  // Routes another window's messages (a combo box's edit field) through onMessage.
  void subclass(HWND window);
  LRESULT callDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  int dpi() const;
  std::wstring windowText() const;

 private:
  friend class Form;
  friend class ControlArrayBase;
  static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
  void attach(Form& form, const ControlDef& def, Control* container);
  void create(HWND parent, int id, HFONT font, bool group);
  void destroy();
  void applyGeometry();
  void applyShown();
  bool shownEffectively() const;
  bool enabledEffectively() const;

  Kind kind_;
  Form* form_ = nullptr;
  std::string name_;
  std::optional<int> index_;
  Control* container_ = nullptr;
  unsigned options_ = 0;
  std::string caption_;
  bool visible_ = true;
  bool enabled_ = true;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int id_ = 0;
  HWND hwnd_ = nullptr;
  std::vector<HWND> subclassed_;
  std::map<Event, Handler> handlers_;
  std::map<std::uint32_t, MessageHandler> hooks_;
  std::optional<COLORREF> backColor_;
  std::optional<COLORREF> foreColor_;
  ControlArrayBase* array_ = nullptr;
};

// A control array: elements of one kind sharing a name, told apart by their index.
class ControlArrayBase {
 public:
  virtual ~ControlArrayBase() = default;
  virtual Kind kind() const = 0;
  // Binds a handler to every element, present and future.
  void on(Event event, Handler handler);
  std::vector<int> indexes() const;
  bool exists(int index) const { return elements_.count(index) != 0; }
  std::size_t count() const { return elements_.size(); }
  Control& element(int index) const;

 protected:
  virtual std::unique_ptr<Control> make() const = 0;

 private:
  friend class Form;
  friend class Control;
  Control& obtain(int index);
  void erase(int index) { elements_.erase(index); }
  std::map<int, std::unique_ptr<Control>> elements_;
  std::map<Event, Handler> handlers_;
};

template <class T>
class ControlArray : public ControlArrayBase {
 public:
  Kind kind() const override { return T::kKind; }
  // std::out_of_range when no element has this index.
  T& operator[](int index) const { return static_cast<T&>(element(index)); }
  std::vector<T*> elements() const {
    std::vector<T*> out;
    for (int i : indexes()) out.push_back(&(*this)[i]);
    return out;
  }

 protected:
  std::unique_ptr<Control> make() const override { return std::make_unique<T>(); }
};

}  // namespace quenmark::gui
