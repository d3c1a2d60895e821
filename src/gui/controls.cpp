#include "gui/controls.h"

#include <commctrl.h>

#include <cwchar>

#include "gui/form.h"
#include "gui/text.h"
#include "gui/web_browser.h"
#include "platform/win32/text_win32.h"
#include "base/twips.h"

namespace quenmark::gui {

namespace {

LRESULT send(HWND w, UINT m, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageW(w, m, wp, lp); }

template <class T>
LPARAM ptr(T* p) {
  return reinterpret_cast<LPARAM>(p);
}

std::wstring itemString(HWND w, UINT lenMsg, UINT textMsg, int index) {
  LRESULT n = send(w, lenMsg, static_cast<WPARAM>(index));
  if (n < 0) throw std::out_of_range("no list item " + std::to_string(index));
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  send(w, textMsg, static_cast<WPARAM>(index), ptr(text.data()));
  text.resize(static_cast<std::size_t>(n));
  return text;
}

SYSTEMTIME toSystemTime(std::chrono::local_seconds t) {
  using namespace std::chrono;
  auto day = floor<days>(t);
  year_month_day ymd{day};
  hh_mm_ss hms{t - day};
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(static_cast<int>(ymd.year()));
  st.wMonth = static_cast<WORD>(static_cast<unsigned>(ymd.month()));
  st.wDay = static_cast<WORD>(static_cast<unsigned>(ymd.day()));
  st.wDayOfWeek = static_cast<WORD>(weekday{day}.c_encoding());
  st.wHour = static_cast<WORD>(hms.hours().count());
  st.wMinute = static_cast<WORD>(hms.minutes().count());
  st.wSecond = static_cast<WORD>(hms.seconds().count());
  return st;
}

std::chrono::local_seconds fromSystemTime(const SYSTEMTIME& st) {
  using namespace std::chrono;
  local_days day{year{st.wYear} / month{st.wMonth} / st.wDay};
  return day + hours{st.wHour} + minutes{st.wMinute} + seconds{st.wSecond};
}

}  // namespace

// ---- labels, buttons, boxes ------------------------------------------------------------

void Label::onCommand(UINT code) {
  if (code == STN_CLICKED) raise(Event::Click);
}

void PictureBox::setPicture(HICON icon) {
  picture_ = icon;
  if (created()) InvalidateRect(hwnd(), nullptr, TRUE);
}

std::optional<LRESULT> PictureBox::onMessage(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (window != hwnd() || message != WM_PAINT || !picture_) {
    return Control::onMessage(window, message, wParam, lParam);
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT r{};
  GetClientRect(window, &r);
  // The colour the window gives a static control, unless the picture has its own.
  HBRUSH back = backColor() ? form().brush(*backColor())
                            : reinterpret_cast<HBRUSH>(SendMessageW(
                                  GetParent(window), WM_CTLCOLORSTATIC,
                                  reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  FillRect(dc, &r, back ? back : GetSysColorBrush(COLOR_BTNFACE));
  // At the icon's own size: a small icon stretched over a large box would only blur.
  ICONINFO info{};
  int w = 32, h = 32;
  if (GetIconInfo(picture_, &info)) {
    BITMAP bm{};
    if (GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm)) {
      w = bm.bmWidth;
      h = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  DrawIconEx(dc, (r.right - w) / 2, (r.bottom - h) / 2, picture_, w, h, 0, nullptr, DI_NORMAL);
  EndPaint(window, &ps);
  return 0;
}

void PictureBox::onCommand(UINT code) {
  if (code == STN_CLICKED) raise(Event::Click);
}

DWORD CommandButton::style() const {
  return (options() & opt::kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void CommandButton::click() { raise(Event::Click); }

void CommandButton::onCommand(UINT code) {
  if (code == BN_CLICKED) raise(Event::Click);
}

int CheckBox::value() const {
  requireCreated();
  LRESULT s = send(hwnd(), BM_GETCHECK);
  return s == BST_CHECKED ? 1 : s == BST_INDETERMINATE ? 2 : 0;
}

void CheckBox::setValue(int value) {
  requireCreated();
  if (value == this->value()) return;
  WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
  send(hwnd(), BM_SETCHECK, state);
  raise(Event::Click);
}

void CheckBox::onCommand(UINT code) {
  if (code == BN_CLICKED) raise(Event::Click);
}

bool OptionButton::value() const {
  requireCreated();
  return send(hwnd(), BM_GETCHECK) == BST_CHECKED;
}

void OptionButton::setValue(bool on) {
  requireCreated();
  if (on == value()) return;
  if (on) {
    select(true);
  } else {
    send(hwnd(), BM_SETCHECK, BST_UNCHECKED);
  }
}

void OptionButton::select(bool raiseClick) {
  form().selectOption(*this);
  if (raiseClick) raise(Event::Click);
}

void OptionButton::onCommand(UINT code) {
  // The buttons are not automatic: the layer keeps each container's group exclusive.
  if (code == BN_CLICKED) select(true);
}

DWORD TextBox::style() const {
  if (options() & opt::kMultiLine) return ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
  return (options() & opt::kPassword) ? ES_AUTOHSCROLL | ES_PASSWORD : ES_AUTOHSCROLL;
}

void TextBox::afterCreate() {
  // Common controls 6 would show dots: the design asks for stars.
  if (options() & opt::kPassword) send(hwnd(), EM_SETPASSWORDCHAR, L'*');
}

void TextBox::onCommand(UINT code) {
  if (code == EN_CHANGE) raise(Event::Change);
}

bool TextBox::wantsEnter() const { return !(options() & opt::kMultiLine); }

// ---- combo box ---------------------------------------------------------------------------

DWORD ComboBox::style() const {
  return ((options() & opt::kEditable) ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST) |
         WS_VSCROLL;
}

void ComboBox::afterCreate() {
  // Key presses in an editable combo reach its edit field, not the combo itself.
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(hwnd(), &info) && info.hwndItem && info.hwndItem != hwnd()) {
    subclass(info.hwndItem);
  }
}

int ComboBox::extraHeightPixels(int dpi) const { return MulDiv(200, dpi, 96); }

void ComboBox::addItem(const std::string& text) {
  requireCreated();
  send(hwnd(), CB_ADDSTRING, 0, ptr(win32::widen(text).c_str()));
}

void ComboBox::clear() {
  requireCreated();
  send(hwnd(), CB_RESETCONTENT);
}

int ComboBox::listCount() const {
  requireCreated();
  return static_cast<int>(send(hwnd(), CB_GETCOUNT));
}

std::string ComboBox::list(int index) const {
  requireCreated();
  return win32::narrow(itemString(hwnd(), CB_GETLBTEXTLEN, CB_GETLBTEXT, index));
}

int ComboBox::listIndex() const {
  requireCreated();
  return static_cast<int>(send(hwnd(), CB_GETCURSEL));
}

void ComboBox::setListIndex(int index) {
  requireCreated();
  send(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index));
}

void ComboBox::setCaption(const std::string& text) {
  if (!created() || (options() & opt::kEditable)) {
    Control::setCaption(text);
    return;
  }
  LRESULT i =
      send(hwnd(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), ptr(win32::widen(text).c_str()));
  if (i == CB_ERR) throw std::invalid_argument("\"" + text + "\" is not in the list " + name());
  send(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(i));
}

void ComboBox::onCommand(UINT code) {
  if (code == CBN_SELCHANGE) {
    // An editable combo's field takes the picked item only after this notification; the
    // Click handler reads the text, and a pick means the picked item.
    if ((options() & opt::kEditable) && listIndex() >= 0) {
      SetWindowTextW(hwnd(), win32::widen(list(listIndex())).c_str());
    }
    raise(Event::Click);
  }
  if (code == CBN_EDITCHANGE) raise(Event::Change);
}

bool ComboBox::wantsEnter() const { return !send(hwnd(), CB_GETDROPPEDSTATE); }

// ---- list view ---------------------------------------------------------------------------

DWORD ListView::style() const {
  return LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL |
         ((options() & opt::kVirtual) ? LVS_OWNERDATA : 0);
}

void ListView::afterCreate() {
  DWORD ex = LVS_EX_FULLROWSELECT | ((options() & opt::kGridLines) ? LVS_EX_GRIDLINES : 0);
  send(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
  for (int n = 1; n <= columnCount(); ++n) insertColumn(n);
}

void ListView::afterDestroy() {
  std::erase_if(columns_, [](const Column& c) { return !c.design; });
}

void ListView::insertColumn(int n) {
  Column& c = columns_[static_cast<std::size_t>(n - 1)];
  std::wstring text = win32::widen(c.text);
  c.pixels = twipsToPixels(c.twips, dpi());
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.pszText = text.data();
  col.cx = c.pixels;
  col.iSubItem = n - 1;
  send(hwnd(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(n - 1), ptr(&col));
}

void ListView::requireColumn(int n) const {
  if (n < 1 || n > columnCount()) {
    throw std::out_of_range(name() + " has no column " + std::to_string(n));
  }
}

int ListView::addColumn(const std::string& text, int widthTwips) {
  columns_.push_back({text, widthTwips, 0, !created()});
  int n = columnCount();
  if (created()) insertColumn(n);
  return n;
}

std::optional<std::string> ListView::accessibleName() const {
  std::string name;
  for (const Column& c : columns_) name += (name.empty() ? "" : ", ") + c.text;
  return name;
}

std::string ListView::columnText(int n) const {
  requireColumn(n);
  return columns_[static_cast<std::size_t>(n - 1)].text;
}

void ListView::setColumnText(int n, const std::string& text) {
  requireColumn(n);
  columns_[static_cast<std::size_t>(n - 1)].text = text;
  if (!created()) return;
  std::wstring w = win32::widen(text);
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT;
  col.pszText = w.data();
  send(hwnd(), LVM_SETCOLUMNW, static_cast<WPARAM>(n - 1), ptr(&col));
}

int ListView::columnWidth(int n) const {
  requireColumn(n);
  const Column& c = columns_[static_cast<std::size_t>(n - 1)];
  if (!created()) return c.twips;
  int px = static_cast<int>(send(hwnd(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(n - 1)));
  // Unchanged since it was set: the twips as given, free of rounding drift.
  return px == c.pixels ? c.twips : pixelsToTwips(px, dpi());
}

void ListView::setColumnWidth(int n, int twips) {
  requireColumn(n);
  Column& c = columns_[static_cast<std::size_t>(n - 1)];
  c.twips = twips;
  c.pixels = twipsToPixels(twips, dpi());
  if (created()) send(hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(n - 1), c.pixels);
}

void ListView::onDpiChanged() {
  for (int n = 1; n <= columnCount(); ++n) {
    // Keep what the user dragged, in twips, across the change.
    setColumnWidth(n, columnWidth(n));
  }
}

int ListView::addItem(const std::string& text) {
  requireCreated();
  std::wstring w = win32::widen(text);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = itemCount();
  item.pszText = w.data();
  return static_cast<int>(send(hwnd(), LVM_INSERTITEMW, 0, ptr(&item)));
}

void ListView::setItemText(int row, int column, const std::string& text) {
  requireCreated();
  std::wstring w = win32::widen(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = w.data();
  send(hwnd(), LVM_SETITEMTEXTW, static_cast<WPARAM>(row), ptr(&item));
}

std::string ListView::itemText(int row, int column) const {
  requireCreated();
  std::wstring buffer(256, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    LRESULT n = send(hwnd(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), ptr(&item));
    if (n < static_cast<LRESULT>(buffer.size()) - 1) {
      buffer.resize(static_cast<std::size_t>(n));
      return win32::narrow(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

void ListView::removeItem(int row) {
  requireCreated();
  send(hwnd(), LVM_DELETEITEM, static_cast<WPARAM>(row));
}

void ListView::clear() {
  requireCreated();
  if (options() & opt::kVirtual) {
    setRowCount(0);
  } else {
    send(hwnd(), LVM_DELETEALLITEMS);
  }
}

int ListView::itemCount() const {
  requireCreated();
  return static_cast<int>(send(hwnd(), LVM_GETITEMCOUNT));
}

void ListView::setRowCount(int rows) {
  requireCreated();
  if (!(options() & opt::kVirtual)) throw std::logic_error(name() + " is not a virtual list");
  send(hwnd(), LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
}

std::optional<int> ListView::selectedRow() const {
  requireCreated();
  int i = static_cast<int>(send(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (i < 0) return std::nullopt;
  return i;
}

void ListView::setSelectedRow(std::optional<int> row) {
  requireCreated();
  quiet_ = true;
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  send(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), ptr(&item));
  if (row) {
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    send(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(*row), ptr(&item));
    send(hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(*row), FALSE);
  }
  quiet_ = false;
}

std::optional<LRESULT> ListView::onNotify(NMHDR& header) {
  if (header.code == LVN_GETDISPINFOW) {
    auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
    if ((info.item.mask & LVIF_TEXT) && source_) {
      copyToBuffer(win32::widen(source_(info.item.iItem, info.item.iSubItem)), info.item.pszText,
                   info.item.cchTextMax);
    }
    return 0;
  }
  if (header.code == LVN_ITEMCHANGED && !quiet_ && !clicking_) {
    auto& change = reinterpret_cast<NMLISTVIEW&>(header);
    bool selected = (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
                    !(change.uOldState & LVIS_SELECTED);
    if (selected && change.iItem >= 0) {
      EventArgs args;
      args.item = change.iItem;
      raise(Event::ItemClick, args);
    }
    return 0;
  }
  return std::nullopt;
}

std::optional<LRESULT> ListView::onMessage(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (window != hwnd() || (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK)) {
    return Control::onMessage(window, message, wParam, lParam);
  }
  // Every click on a row is an ItemClick, also on the row already selected, which changes
  // no selection and so raises no LVN_ITEMCHANGED.
  LVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  send(window, LVM_SUBITEMHITTEST, 0, ptr(&hit));
  clicking_ = true;
  const LRESULT r = callDefault(window, message, wParam, lParam);
  clicking_ = false;
  if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEM)) {
    EventArgs args;
    args.item = hit.iItem;
    raise(Event::ItemClick, args);
  }
  return r;
}

void ListView::applyColors() {
  // CLR_DEFAULT hands a colour back to the system.
  const COLORREF back = backColor().value_or(CLR_DEFAULT);
  send(hwnd(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(back));
  send(hwnd(), LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(back));
  send(hwnd(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(foreColor().value_or(CLR_DEFAULT)));
}

// ---- tree view ---------------------------------------------------------------------------

void TreeView::applyColors() {
  send(hwnd(), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(backColor().value_or(CLR_NONE)));
  send(hwnd(), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(foreColor().value_or(CLR_NONE)));
}

bool TreeView::checkBoxes() const { return options() & (opt::kCheckBoxes | opt::kFlipOnClick); }

void TreeView::afterCreate() {
  // Check boxes are switched on after creation, as the control asks, so that new nodes
  // start with a proper unchecked box.
  if (checkBoxes()) {
    SetWindowLongPtrW(hwnd(), GWL_STYLE, GetWindowLongPtrW(hwnd(), GWL_STYLE) | TVS_CHECKBOXES);
  }
}

HTREEITEM TreeView::item(int node) const {
  requireCreated();
  if (node < 1 || node > nodeCount()) {
    throw std::out_of_range(name() + " has no node " + std::to_string(node));
  }
  return nodes_[static_cast<std::size_t>(node - 1)].item;
}

std::optional<int> TreeView::nodeOf(HTREEITEM h) const {
  for (std::size_t i = 0; i < nodes_.size(); ++i) {
    if (nodes_[i].item == h) return static_cast<int>(i) + 1;
  }
  return std::nullopt;
}

int TreeView::addNode(const std::string& key, const std::string& text) {
  requireCreated();
  std::wstring w = win32::widen(text);
  TVINSERTSTRUCTW ins{};
  ins.hParent = TVI_ROOT;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT;
  ins.item.pszText = w.data();
  auto h = reinterpret_cast<HTREEITEM>(send(hwnd(), TVM_INSERTITEMW, 0, ptr(&ins)));
  if (!h) throw std::runtime_error("cannot add a node to " + name());
  nodes_.push_back({h, key});
  if (checkBoxes()) setChecked(nodeCount(), false);
  return nodeCount();
}

std::string TreeView::nodeKey(int node) const {
  item(node);
  return nodes_[static_cast<std::size_t>(node - 1)].key;
}

std::string TreeView::nodeText(int node) const {
  wchar_t buffer[1024] = {};
  TVITEMW it{};
  it.mask = TVIF_TEXT | TVIF_HANDLE;
  it.hItem = item(node);
  it.pszText = buffer;
  it.cchTextMax = static_cast<int>(std::size(buffer));
  send(hwnd(), TVM_GETITEMW, 0, ptr(&it));
  return win32::narrow(buffer);
}

void TreeView::setNodeText(int node, const std::string& text) {
  std::wstring w = win32::widen(text);
  TVITEMW it{};
  it.mask = TVIF_TEXT | TVIF_HANDLE;
  it.hItem = item(node);
  it.pszText = w.data();
  send(hwnd(), TVM_SETITEMW, 0, ptr(&it));
}

std::optional<int> TreeView::findKey(const std::string& key) const {
  for (std::size_t i = 0; i < nodes_.size(); ++i) {
    if (nodes_[i].key == key) return static_cast<int>(i) + 1;
  }
  return std::nullopt;
}

bool TreeView::checked(int node) const {
  HTREEITEM h = item(node);
  auto state = static_cast<UINT>(
      send(hwnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(h), TVIS_STATEIMAGEMASK));
  return (state >> 12) == 2;
}

void TreeView::setChecked(int node, bool on) {
  TVITEMW it{};
  it.mask = TVIF_STATE | TVIF_HANDLE;
  it.hItem = item(node);
  it.stateMask = TVIS_STATEIMAGEMASK;
  it.state = INDEXTOSTATEIMAGEMASK(on ? 2 : 1);
  send(hwnd(), TVM_SETITEMW, 0, ptr(&it));
}

std::optional<int> TreeView::selectedNode() const {
  requireCreated();
  auto h = reinterpret_cast<HTREEITEM>(send(hwnd(), TVM_GETNEXTITEM, TVGN_CARET, 0));
  return h ? nodeOf(h) : std::nullopt;
}

void TreeView::clear() {
  requireCreated();
  send(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  nodes_.clear();
}

std::vector<bool> TreeView::checkStates() const {
  std::vector<bool> out;
  if (!checkBoxes()) return out;
  for (int n = 1; n <= nodeCount(); ++n) out.push_back(checked(n));
  return out;
}

std::optional<LRESULT> TreeView::onMessage(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (window != hwnd()) return Control::onMessage(window, message, wParam, lParam);
  bool mouse = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
  if (!mouse && message != WM_KEYDOWN && message != WM_CHAR) {
    return Control::onMessage(window, message, wParam, lParam);
  }
  TVHITTESTINFO hit{};
  std::optional<int> node;
  if (mouse) {
    hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    send(window, TVM_HITTEST, 0, ptr(&hit));
    if (hit.hItem) node = nodeOf(hit.hItem);
  }
  if (mouse && node && (hit.flags & TVHT_ONITEM) && (options() & opt::kFlipOnClick)) {
    // The control never sees the click, so it cannot flip the box a second time.
    SetFocus(window);
    send(window, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hit.hItem));
    setChecked(*node, !checked(*node));
    EventArgs args;
    args.item = *node;
    raise(Event::NodeClick, args);
    return 0;
  }
  std::vector<bool> before = checkStates();
  LRESULT r = callDefault(window, message, wParam, lParam);
  if (mouse && node && (hit.flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON))) {
    EventArgs args;
    args.item = *node;
    raise(Event::NodeClick, args);
  }
  std::vector<bool> after = checkStates();
  for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
    if (before[i] != after[i]) {
      EventArgs args;
      args.item = static_cast<int>(i) + 1;
      raise(Event::NodeCheck, args);
    }
  }
  return r;
}

// ---- date and time pickers ---------------------------------------------------------------

DWORD DTPicker::style() const {
  return (options() & opt::kTimeFormat) ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
}

void DTPicker::applyColors() {
  // The field itself is the system's; its drop-down calendar takes the colours.
  const auto back = static_cast<LPARAM>(backColor().value_or(GetSysColor(COLOR_WINDOW)));
  const auto fore = static_cast<LPARAM>(foreColor().value_or(GetSysColor(COLOR_WINDOWTEXT)));
  send(hwnd(), DTM_SETMCCOLOR, MCSC_BACKGROUND, back);
  send(hwnd(), DTM_SETMCCOLOR, MCSC_MONTHBK, back);
  send(hwnd(), DTM_SETMCCOLOR, MCSC_TEXT, fore);
  send(hwnd(), DTM_SETMCCOLOR, MCSC_TITLETEXT, fore);
}

void DTPicker::afterCreate() {
  if (options() & opt::kTimeFormat) send(hwnd(), DTM_SETFORMATW, 0, ptr(L"HH:mm:ss"));
}

std::chrono::local_seconds DTPicker::value() const {
  requireCreated();
  SYSTEMTIME st{};
  send(hwnd(), DTM_GETSYSTEMTIME, 0, ptr(&st));
  return fromSystemTime(st);
}

void DTPicker::setValue(std::chrono::local_seconds value) {
  requireCreated();
  SYSTEMTIME st = toSystemTime(value);
  if (!send(hwnd(), DTM_SETSYSTEMTIME, GDT_VALID, ptr(&st))) {
    throw std::out_of_range(name() + " cannot show that date");
  }
}

std::chrono::year_month_day DTPicker::date() const {
  return std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(value())};
}

void DTPicker::setDate(std::chrono::year_month_day date) {
  setValue(std::chrono::local_days{date} + timeOfDay());
}

std::chrono::seconds DTPicker::timeOfDay() const {
  auto v = value();
  return v - std::chrono::floor<std::chrono::days>(v);
}

void DTPicker::setTimeOfDay(std::chrono::seconds time) {
  setValue(std::chrono::floor<std::chrono::days>(value()) + time);
}

std::optional<LRESULT> DTPicker::onNotify(NMHDR& header) {
  if (header.code == DTN_DATETIMECHANGE) {
    raise(Event::Change);
    return 0;
  }
  return std::nullopt;
}

// ---- status bar, list box, tab strip -------------------------------------------------------

void StatusBar::applyColors() {
  send(hwnd(), SB_SETBKCOLOR, 0, static_cast<LPARAM>(backColor().value_or(CLR_DEFAULT)));
}

void StatusBar::fit() {
  if (created()) send(hwnd(), WM_SIZE);
}

int StatusBar::actualHeight() const {
  if (!created()) return 0;
  RECT r{};
  GetWindowRect(hwnd(), &r);
  return pixelsToTwips(r.bottom - r.top, dpi());
}

std::size_t StatusBar::requirePanel(int n) const {
  if (n < 1 || n > panelCount()) {
    throw std::out_of_range(name() + " has no panel " + std::to_string(n));
  }
  return static_cast<std::size_t>(n - 1);
}

int StatusBar::addPanel() {
  widths_.push_back(kDefaultPanelWidth);
  sized_ = true;
  applyPanels();
  return panelCount();
}

int StatusBar::panelWidth(int n) const { return widths_[requirePanel(n)]; }

void StatusBar::setPanelWidth(int n, int twips) {
  widths_[requirePanel(n)] = twips;
  sized_ = true;
  applyPanels();
}

std::string StatusBar::panelText(int n) const {
  requireCreated();
  auto i = static_cast<WPARAM>(requirePanel(n));
  std::wstring text(LOWORD(send(hwnd(), SB_GETTEXTLENGTHW, i)) + 1u, L'\0');
  send(hwnd(), SB_GETTEXTW, i, ptr(text.data()));
  text.resize(std::wcslen(text.c_str()));
  return win32::narrow(text);
}

void StatusBar::setPanelText(int n, const std::string& text) {
  requireCreated();
  send(hwnd(), SB_SETTEXTW, static_cast<WPARAM>(requirePanel(n)),
       ptr(win32::widen(text).c_str()));
}

void StatusBar::applyPanels() {
  if (!created() || !sized_) return;
  // The bar wants the right edge of each part, in pixels.
  std::vector<int> edges;
  int right = 0;
  for (int twips : widths_) {
    right += twipsToPixels(twips, dpi());
    edges.push_back(right);
  }
  send(hwnd(), SB_SETPARTS, edges.size(), ptr(edges.data()));
}

void StatusBar::afterDestroy() {
  // Panels added at run time go with the window.
  widths_.assign(1, kDefaultPanelWidth);
  sized_ = false;
}

void ListBox::addItem(const std::string& text) {
  requireCreated();
  send(hwnd(), LB_ADDSTRING, 0, ptr(win32::widen(text).c_str()));
}

void ListBox::removeItem(int index) {
  requireCreated();
  send(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(index));
}

void ListBox::clear() {
  requireCreated();
  send(hwnd(), LB_RESETCONTENT);
}

int ListBox::listCount() const {
  requireCreated();
  return static_cast<int>(send(hwnd(), LB_GETCOUNT));
}

std::string ListBox::list(int index) const {
  requireCreated();
  return win32::narrow(itemString(hwnd(), LB_GETTEXTLEN, LB_GETTEXT, index));
}

int ListBox::listIndex() const {
  requireCreated();
  return static_cast<int>(send(hwnd(), LB_GETCURSEL));
}

void ListBox::setListIndex(int index) {
  requireCreated();
  send(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index));
}

void ListBox::onCommand(UINT code) {
  if (code == LBN_SELCHANGE) raise(Event::Click);
}

int TabStrip::addTab(const std::string& caption) {
  requireCreated();
  std::wstring w = win32::widen(caption);
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = w.data();
  int n = tabCount();
  send(hwnd(), TCM_INSERTITEMW, static_cast<WPARAM>(n), ptr(&tab));
  return n + 1;
}

int TabStrip::tabCount() const {
  return created() ? static_cast<int>(send(hwnd(), TCM_GETITEMCOUNT)) : 0;
}

std::string TabStrip::tabCaption(int n) const {
  requireCreated();
  wchar_t buffer[512] = {};
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = buffer;
  tab.cchTextMax = static_cast<int>(std::size(buffer));
  if (!send(hwnd(), TCM_GETITEMW, static_cast<WPARAM>(n - 1), ptr(&tab))) {
    throw std::out_of_range(name() + " has no tab " + std::to_string(n));
  }
  return win32::narrow(buffer);
}

void TabStrip::setTabCaption(int n, const std::string& text) {
  requireCreated();
  std::wstring w = win32::widen(text);
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = w.data();
  if (!send(hwnd(), TCM_SETITEMW, static_cast<WPARAM>(n - 1), ptr(&tab))) {
    throw std::out_of_range(name() + " has no tab " + std::to_string(n));
  }
}

int TabStrip::selectedTab() const {
  requireCreated();
  return static_cast<int>(send(hwnd(), TCM_GETCURSEL)) + 1;
}

void TabStrip::setSelectedTab(int n) {
  requireCreated();
  send(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(n - 1));
}

std::optional<LRESULT> TabStrip::onNotify(NMHDR& header) {
  if (header.code == TCN_SELCHANGE) {
    raise(Event::Click);
    return 0;
  }
  return std::nullopt;
}

// ---- factories ---------------------------------------------------------------------------

namespace {

// Calls `make` with a null pointer of the class of `kind`: one switch, made from the list.
template <class Make>
auto withClassOf(Kind kind, Make make) {
  switch (kind) {
#define QUENMARK_CONTROL_CLASS(name, text) \
  case Kind::name:                         \
    return make(static_cast<name*>(nullptr));
    QUENMARK_CONTROL_KINDS(QUENMARK_CONTROL_CLASS)
#undef QUENMARK_CONTROL_CLASS
  }
  throw std::invalid_argument("unknown control kind");
}

}  // namespace

std::unique_ptr<Control> makeControl(Kind kind) {
  return withClassOf(kind, [](auto* type) -> std::unique_ptr<Control> {
    return std::make_unique<std::remove_pointer_t<decltype(type)>>();
  });
}

std::unique_ptr<ControlArrayBase> makeControlArray(Kind kind) {
  return withClassOf(kind, [](auto* type) -> std::unique_ptr<ControlArrayBase> {
    return std::make_unique<ControlArray<std::remove_pointer_t<decltype(type)>>>();
  });
}

}  // namespace quenmark::gui
