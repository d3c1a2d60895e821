#include "gui/skin.h"

#include <commctrl.h>

#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "gui/form.h"
#include "platform/win32/handles.h"

namespace quenmark::gui {
namespace {

constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

int scaled(int pixels, const Control& c) { return MulDiv(pixels, c.form().dpi(), 96); }

COLORREF mix(COLORREF a, COLORREF b, int percentOfB) {
  auto part = [&](int shift) {
    const int x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
    return static_cast<COLORREF>((x * (100 - percentOfB) + y * percentOfB) / 100) << shift;
  };
  return part(0) | part(8) | part(16);
}

// Paints off screen and copies the result in one go, so a control never flickers.
class BufferedPaint {
 public:
  BufferedPaint(HWND window, HDC target) : target_(target) {
    GetClientRect(window, &rect_);
    dc_ = CreateCompatibleDC(target);
    bitmap_.reset(CreateCompatibleBitmap(target, rect_.right, rect_.bottom));
    old_ = SelectObject(dc_, bitmap_.get());
    font_ = SelectObject(dc_, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    SetBkMode(dc_, TRANSPARENT);
  }
  BufferedPaint(const BufferedPaint&) = delete;
  BufferedPaint& operator=(const BufferedPaint&) = delete;
  ~BufferedPaint() {
    BitBlt(target_, 0, 0, rect_.right, rect_.bottom, dc_, 0, 0, SRCCOPY);
    SelectObject(dc_, font_);
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  const RECT& rect() const { return rect_; }

 private:
  HDC target_;
  HDC dc_;
  RECT rect_{};
  win32::UniqueBitmap bitmap_;
  HGDIOBJ old_;
  HGDIOBJ font_;
};

void fill(HDC dc, const RECT& r, COLORREF color) {
  SetDCBrushColor(dc, color);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A rounded rectangle with a one-pixel (or `width`) outline.
void roundRect(HDC dc, const RECT& r, int radius, COLORREF fillColor, COLORREF line,
               int width = 1) {
  win32::Unique<win32::handle_traits::Gdi<HPEN>> pen(CreatePen(PS_SOLID, width, line));
  SetDCBrushColor(dc, fillColor);
  HGDIOBJ oldPen = SelectObject(dc, pen.get());
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
  RoundRect(dc, r.left, r.top, r.right, r.bottom, radius, radius);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
}

std::wstring textOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(),
                                                      static_cast<int>(text.size()))));
  return text;
}

// Access keys are underlined only when the keyboard is in use, as the system does it.
UINT prefixFlag(HWND window) {
  const LRESULT cues = SendMessageW(window, WM_QUERYUISTATE, 0, 0);
  return (cues & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
}

bool focusShown(HWND window) {
  return GetFocus() == window && !(SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

void paintButton(const Control& c, const SkinPalette& p, HDC dc, const RECT& r) {
  HWND h = c.hwnd();
  const bool enabled = IsWindowEnabled(h) != FALSE;
  const bool pushed = (SendMessageW(h, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  const bool isDefault =
      (GetWindowLongPtrW(h, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON && enabled;
  COLORREF face = c.backColor().value_or(p.face);
  COLORREF text = c.foreColor().value_or(p.faceText);
  COLORREF line = p.border;
  if (isDefault) face = p.accent, text = p.accentText, line = p.accent;
  if (pushed) face = isDefault ? mix(p.accent, p.text, 20) : p.pressed;
  if (!enabled) text = p.disabledText;
  fill(dc, r, c.form().backColor().value_or(p.window));
  roundRect(dc, r, scaled(8, c), face, line);
  if (focusShown(h)) {
    RECT ring = r;
    InflateRect(&ring, -scaled(2, c), -scaled(2, c));
    roundRect(dc, ring, scaled(6, c), face, isDefault ? p.accentText : p.accent);
  }
  std::wstring caption = textOf(h);
  RECT t = r;
  if (pushed) OffsetRect(&t, 0, 1);
  // A picture stands left of the caption, the two centred together.
  if (auto icon = reinterpret_cast<HICON>(SendMessageW(h, BM_GETIMAGE, IMAGE_ICON, 0))) {
    const int size = std::min(scaled(16, c), static_cast<int>(t.bottom - t.top) - 4);
    RECT measured = t;
    DrawTextW(dc, caption.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    const int gap = caption.empty() ? 0 : scaled(3, c);
    const int width = size + gap + (caption.empty() ? 0 : measured.right - measured.left);
    const int left = std::max<int>(t.left + 1, (t.left + t.right - width) / 2);
    DrawIconEx(dc, left, (t.top + t.bottom - size) / 2, icon, size, size, 0, nullptr, DI_NORMAL);
    t.left = left + size + gap;
    SetTextColor(dc, text);
    DrawTextW(dc, caption.c_str(), -1, &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | prefixFlag(h));
    return;
  }
  SetTextColor(dc, text);
  DrawTextW(dc, caption.c_str(), -1, &t,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | prefixFlag(h));
}

void paintBox(const Control& c, const SkinPalette& p, HDC dc, const RECT& r) {
  HWND h = c.hwnd();
  const bool radio = c.kind() == Kind::OptionButton;
  const bool enabled = IsWindowEnabled(h) != FALSE;
  const bool checked = SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
  fill(dc, r, c.form().backColor().value_or(p.window));
  const int size = scaled(14, c);
  RECT box{r.left + 1, (r.top + r.bottom - size) / 2, r.left + 1 + size, 0};
  box.bottom = box.top + size;
  const COLORREF mark = enabled ? p.accent : p.disabledText;
  const COLORREF inside = checked ? mark : p.face;
  const COLORREF line = checked ? mark : p.border;
  if (radio) {
    win32::Unique<win32::handle_traits::Gdi<HPEN>> pen(CreatePen(PS_SOLID, 1, line));
    SetDCBrushColor(dc, inside);
    HGDIOBJ oldPen = SelectObject(dc, pen.get());
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (checked) {
      const int d = size / 3;
      SetDCBrushColor(dc, p.accentText);
      SelectObject(dc, GetStockObject(NULL_PEN));
      Ellipse(dc, box.left + d, box.top + d, box.right - d + 1, box.bottom - d + 1);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
  } else {
    roundRect(dc, box, scaled(4, c), inside, line);
    if (checked) {
      win32::Unique<win32::handle_traits::Gdi<HPEN>> pen(
          CreatePen(PS_SOLID, std::max(2, scaled(2, c)), p.accentText));
      HGDIOBJ old = SelectObject(dc, pen.get());
      const POINT tick[] = {{box.left + size * 3 / 14, box.top + size * 7 / 14},
                            {box.left + size * 6 / 14, box.top + size * 10 / 14},
                            {box.left + size * 11 / 14, box.top + size * 4 / 14}};
      Polyline(dc, tick, 3);
      SelectObject(dc, old);
    }
  }
  // A caption too long for one line wraps, centred beside the box as a whole.
  std::wstring caption = textOf(h);
  const UINT flags = DT_LEFT | DT_WORDBREAK | prefixFlag(h);
  RECT t = r;
  t.left = box.right + scaled(6, c);
  RECT measured = t;
  DrawTextW(dc, caption.c_str(), -1, &measured, flags | DT_CALCRECT);
  const int height = std::min(measured.bottom - measured.top, r.bottom - r.top);
  t.top = (r.top + r.bottom - height) / 2;
  t.bottom = t.top + height;
  if (focusShown(h)) {
    RECT f = t;
    f.right = std::min(measured.right, r.right);
    InflateRect(&f, 2, 1);
    roundRect(dc, f, 2, c.form().backColor().value_or(p.window), p.accent);
  }
  SetTextColor(dc, enabled ? c.form().foreColor().value_or(p.text) : p.disabledText);
  DrawTextW(dc, caption.c_str(), -1, &t, flags | DT_END_ELLIPSIS);
}

// A frame is an outline with its caption in a gap of the top line; its inside belongs to the
// controls it holds, so it is never filled.
void paintFrame(const Control& c, const SkinPalette& p, HDC dc, const RECT& r) {
  HWND h = c.hwnd();
  std::wstring caption = textOf(h);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  RECT outline = r;
  outline.top += tm.tmHeight / 2;
  win32::Unique<win32::handle_traits::Gdi<HPEN>> pen(CreatePen(PS_SOLID, 1, p.border));
  HGDIOBJ oldPen = SelectObject(dc, pen.get());
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int radius = scaled(8, c);
  RoundRect(dc, outline.left, outline.top, outline.right, outline.bottom, radius, radius);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  if (caption.empty()) return;
  RECT t{r.left + scaled(8, c), r.top, r.right - scaled(8, c), r.top + tm.tmHeight};
  RECT measured = t;
  DrawTextW(dc, caption.c_str(), -1, &measured, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
  measured.right = std::min(measured.right + scaled(4, c), r.right - scaled(4, c));
  measured.left -= scaled(4, c);
  fill(dc, measured, c.form().backColor().value_or(p.window));
  SetTextColor(dc, IsWindowEnabled(h) ? c.form().foreColor().value_or(p.text) : p.disabledText);
  DrawTextW(dc, caption.c_str(), -1, &t, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | prefixFlag(h));
}

void paintLine(const Control& c, const SkinPalette& p, HDC dc, const RECT& r) {
  fill(dc, r, c.form().backColor().value_or(p.window));
  RECT line = r;
  if (r.right - r.left >= r.bottom - r.top) {
    line.bottom = line.top + 1;
  } else {
    line.right = line.left + 1;
  }
  fill(dc, line, p.border);
}

using Painter = void (*)(const Control&, const SkinPalette&, HDC, const RECT&);

// Paints the whole control, off screen; a frame, whose inside shows what lies beneath, is
// painted straight onto the screen.
void paintControl(const Control& c, const SkinPalette& p, Painter painter, HDC target) {
  if (c.kind() != Kind::Frame) {
    BufferedPaint buffer(c.hwnd(), target);
    painter(c, p, buffer.dc(), buffer.rect());
    return;
  }
  RECT r{};
  GetClientRect(c.hwnd(), &r);
  HGDIOBJ font =
      SelectObject(target, reinterpret_cast<HFONT>(SendMessageW(c.hwnd(), WM_GETFONT, 0, 0)));
  SetBkMode(target, TRANSPARENT);
  painter(c, p, target, r);
  SelectObject(target, font);
}

// The messages after which the system would draw a control's old look straight onto the
// screen.
constexpr UINT kRepaintAfter[] = {
    WM_SETFOCUS,      WM_KILLFOCUS, BM_SETSTATE,      BM_SETCHECK,       BM_SETSTYLE,
    WM_ENABLE,        WM_SETTEXT,   WM_UPDATEUISTATE, WM_LBUTTONDOWN,    WM_LBUTTONUP,
    WM_LBUTTONDBLCLK, WM_KEYDOWN,   WM_KEYUP,         WM_CAPTURECHANGED, WM_MOUSELEAVE};

// Gives a control's painting (and a list's header) back to the system.
void unpaint(Control& c) {
  for (UINT m : {UINT{WM_PAINT}, UINT{WM_PRINTCLIENT}, UINT{WM_ERASEBKGND}, UINT{WM_NOTIFY}}) {
    c.unhookMessage(m);
  }
  for (UINT m : kRepaintAfter) c.unhookMessage(m);
}

// Takes over a control's painting; the system still keeps its state. The messages after
// which the system would draw the old look straight onto the screen are followed by a
// repaint in the skin.
void paintWith(Control& c, const SkinPalette& palette, Painter painter) {
  HWND h = c.hwnd();
  const SkinPalette* p = &palette;
  c.hookMessage(WM_PAINT, [&c, p, painter](std::uintptr_t, std::intptr_t) {
    PAINTSTRUCT ps;
    HDC target = BeginPaint(c.hwnd(), &ps);
    paintControl(c, *p, painter, target);
    EndPaint(c.hwnd(), &ps);
    return std::optional<std::intptr_t>(0);
  });
  c.hookMessage(WM_PRINTCLIENT, [&c, p, painter](std::uintptr_t dc, std::intptr_t) {
    paintControl(c, *p, painter, reinterpret_cast<HDC>(dc));
    return std::optional<std::intptr_t>(0);
  });
  c.hookMessage(WM_ERASEBKGND, [](std::uintptr_t, std::intptr_t) {
    return std::optional<std::intptr_t>(1);
  });
  for (UINT m : kRepaintAfter) {
    c.hookMessage(m, [&c, m](std::uintptr_t w, std::intptr_t l) {
      const LRESULT r = DefSubclassProc(c.hwnd(), m, w, l);
      InvalidateRect(c.hwnd(), nullptr, FALSE);
      return std::optional<std::intptr_t>(r);
    });
  }
  InvalidateRect(h, nullptr, TRUE);
}

// The list view's column headers: the header sends its drawing questions to the list view.
void skinHeader(Control& list, const SkinPalette& palette) {
  HWND header = ListView_GetHeader(list.hwnd());
  if (!header) return;
  const SkinPalette* p = &palette;
  list.hookMessage(WM_NOTIFY, [header, p](std::uintptr_t, std::intptr_t l) {
    auto* nm = reinterpret_cast<NMCUSTOMDRAW*>(l);
    if (nm->hdr.hwndFrom != header || nm->hdr.code != static_cast<UINT>(NM_CUSTOMDRAW)) {
      return std::optional<std::intptr_t>();
    }
    if (nm->dwDrawStage == CDDS_PREPAINT) {
      fill(nm->hdc, nm->rc, p->face);
      return std::optional<std::intptr_t>(CDRF_NOTIFYITEMDRAW);
    }
    if (nm->dwDrawStage != CDDS_ITEMPREPAINT) return std::optional<std::intptr_t>(CDRF_DODEFAULT);
    RECT r = nm->rc;
    fill(nm->hdc, r, p->face);
    RECT line{r.right - 1, r.top + 4, r.right, r.bottom - 4};
    fill(nm->hdc, line, p->border);
    RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
    fill(nm->hdc, bottom, p->border);
    wchar_t text[256] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(header, HDM_GETITEMW, nm->dwItemSpec, reinterpret_cast<LPARAM>(&item));
    r.left += 6;
    SetBkMode(nm->hdc, TRANSPARENT);
    SetTextColor(nm->hdc, p->faceText);
    DrawTextW(nm->hdc, text, -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    return std::optional<std::intptr_t>(CDRF_SKIPDEFAULT);
  });
  InvalidateRect(header, nullptr, TRUE);
}

bool appsUseDarkTheme() {
  DWORD light = 1;
  DWORD size = sizeof(light);
  const LSTATUS s = RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"AppsUseLightTheme",
                                 RRF_RT_REG_DWORD, nullptr, &light, &size);
  return s == ERROR_SUCCESS && light == 0;
}

std::vector<Control*> controlsOf(Form& window) {
  std::vector<Control*> out;
  for (TranslatableControl* t : window.controls()) {
    if (auto* c = dynamic_cast<Control*>(t); c && c->created()) out.push_back(c);
  }
  return out;
}

// The control and the windows it is made of (a list's header).
std::vector<HWND> windowsOf(const Control& c) {
  std::vector<HWND> out{c.hwnd()};
  if (c.kind() == Kind::ListView) {
    if (HWND header = ListView_GetHeader(c.hwnd())) out.push_back(header);
  }
  return out;
}

// Without a visual style a control draws in the system's colours alone, whatever theme
// Windows (or Wine) keeps. Wine refuses the empty names Windows documents for this; a name of
// no class has the same effect.
void noVisualStyle(win32::UxThemeApi& uxtheme, const Control& c) {
  for (HWND w : windowsOf(c)) {
    if (FAILED(uxtheme.SetWindowTheme(w, L"", L""))) uxtheme.SetWindowTheme(w, L" ", L" ");
  }
}

void systemVisualStyle(win32::UxThemeApi& uxtheme, const Control& c) {
  for (HWND w : windowsOf(c)) uxtheme.SetWindowTheme(w, nullptr, nullptr);
}

}  // namespace

SkinObject::SkinObject(Forms& forms, std::function<void(Form&)> reskin, SettingsSource source)
    : forms_(forms),
      reskin_(std::move(reskin)),
      source_(std::move(source)),
      choice_(choosePalette(source_())),
      palette_(paletteFor(choice_)) {}

SkinObject::~SkinObject() {
  // Windows still loaded keep the colours they were given; the painting goes with its engine.
  for (Form* f : forms_.list()) {
    if (!f->skinned()) continue;
    f->unhookMessage(WM_SETTINGCHANGE);
    f->unhookMessage(WM_SYSCOLORCHANGE);
    for (Control* c : controlsOf(*f)) unpaint(*c);
    f->setSkinned(false);
  }
}

DisplaySettings SkinObject::systemDisplaySettings() {
  HIGHCONTRASTW hc{};
  hc.cbSize = sizeof(hc);
  const bool high = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0) &&
                    (hc.dwFlags & HCF_HIGHCONTRASTON);
  return {.highContrast = high, .appsDark = appsUseDarkTheme()};
}

std::optional<COLORREF> SkinObject::buttonAndFieldBackColor() const {
  return palette_ ? std::optional<COLORREF>(palette_->face) : std::nullopt;
}

std::optional<COLORREF> SkinObject::fieldForeColor() const {
  return palette_ ? std::optional<COLORREF>(palette_->faceText) : std::nullopt;
}

std::optional<COLORREF> SkinObject::pictureBackColor() const {
  return palette_ ? std::optional<COLORREF>(palette_->picture) : std::nullopt;
}

void SkinObject::skinWindow(Form& window) {
  if (!window.loaded()) throw std::logic_error("the skin needs a loaded window: " + window.name());
  window.setSkinned(true);
  // Every top-level window hears when the user turns high contrast on or off, changes the
  // system's colours or switches between light and dark.
  auto changed = [this](std::uintptr_t, std::intptr_t) {
    settingsChanged();
    return std::optional<std::intptr_t>();
  };
  // Windows says many other settings changed too (the environment, the work area, the
  // region): only these two touch the palette, so only they read the settings again.
  window.hookMessage(WM_SETTINGCHANGE, [changed](std::uintptr_t wParam, std::intptr_t lParam) {
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    if (wParam == SPI_SETHIGHCONTRAST || (area && std::wcscmp(area, L"ImmersiveColorSet") == 0)) {
      return changed(wParam, lParam);
    }
    return std::optional<std::intptr_t>();
  });
  window.hookMessage(WM_SYSCOLORCHANGE, changed);
  if (palette_) {
    window.setBackColor(palette_->window);
    window.setForeColor(palette_->text);
    paintControls(window);
  } else {
    stepAside(window);
  }
  captionColors(window.hwnd());
  RedrawWindow(window.hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void SkinObject::stepAside(Form& window) {
  // Only the skin gives controls colours, so none stays: everything takes the system's.
  window.setBackColor(std::nullopt);
  window.setForeColor(std::nullopt);
  for (Control* c : controlsOf(window)) {
    unpaint(*c);
    noVisualStyle(uxtheme_, *c);
    if (c->kind() == Kind::Line) continue;
    c->setBackColor(std::nullopt);
    c->setForeColor(std::nullopt);
  }
}

void SkinObject::settingsChanged() {
  const PaletteChoice now = choosePalette(source_());
  if (now != choice_) apply(now);
}

void SkinObject::setSettingsSource(SettingsSource source) { source_ = std::move(source); }

void SkinObject::paintControls(Form& window) {
  const bool dark = choice_ == PaletteChoice::Dark;
  const wchar_t* theme = dark ? L"DarkMode_Explorer" : nullptr;
  const SkinPalette& palette = *palette_;
  for (Control* c : controlsOf(window)) {
    switch (c->kind()) {
      case Kind::CommandButton:
        paintWith(*c, palette, paintButton);
        break;
      case Kind::CheckBox:
      case Kind::OptionButton:
        paintWith(*c, palette, paintBox);
        break;
      case Kind::Frame:
        paintWith(*c, palette, paintFrame);
        break;
      case Kind::Line:
        paintWith(*c, palette, paintLine);
        break;
      case Kind::ComboBox:
        uxtheme_.SetWindowTheme(c->hwnd(), dark ? L"DarkMode_CFD" : nullptr, nullptr);
        break;
      case Kind::ListView:
        uxtheme_.SetWindowTheme(c->hwnd(), theme, nullptr);
        skinHeader(*c, palette);
        break;
      case Kind::TreeView:
        uxtheme_.SetWindowTheme(c->hwnd(), theme, nullptr);
        c->setBackColor(palette.face);
        c->setForeColor(palette.faceText);
        break;
      case Kind::DTPicker:
        c->setBackColor(palette.face);
        c->setForeColor(palette.faceText);
        break;
      case Kind::StatusBar:
        c->setBackColor(palette.window);
        break;
      default:  // labels and pictures take the window's colours as they draw
        break;
    }
  }
}

void SkinObject::captionColors(HWND window) const {
  const auto& set = dwmapi_.DwmSetWindowAttribute;
  const BOOL dark = choice_ == PaletteChoice::Dark ? TRUE : FALSE;
  // 20 is the attribute's number since Windows 10 20H1, 19 before it.
  if (FAILED(set(window, 20, &dark, sizeof dark))) set(window, 19, &dark, sizeof dark);
  // Without a palette the caption goes back to the system's (DWMWA_COLOR_DEFAULT).
  const COLORREF caption = palette_ ? palette_->window : 0xFFFFFFFF;
  const COLORREF text = palette_ ? palette_->text : 0xFFFFFFFF;
  set(window, 35, &caption, sizeof caption);  // DWMWA_CAPTION_COLOR, Windows 11
  set(window, 36, &text, sizeof text);        // DWMWA_TEXT_COLOR
}

void SkinObject::apply(PaletteChoice choice) {
  const bool leavingHighContrast = !palette_;
  choice_ = choice;
  palette_ = paletteFor(choice);
  // A copy: a window's reskin may load another (the splash window, for the engine).
  const std::vector<Form*> windows = forms_.list();
  for (Form* f : windows) {
    if (!f->skinned() || !f->loaded()) continue;
    if (leavingHighContrast) {
      for (Control* c : controlsOf(*f)) systemVisualStyle(uxtheme_, *c);
    }
    if (reskin_) {
      reskin_(*f);
    } else {
      skinWindow(*f);
    }
  }
}

}  // namespace quenmark::gui
