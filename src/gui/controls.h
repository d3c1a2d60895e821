#pragma once

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gui/control.h"

namespace quenmark::gui {

class Label : public Control {
 public:
  static constexpr Kind kKind = Kind::Label;
  Label() : Control(kKind) {}

 protected:
  explicit Label(Kind kind) : Control(kind) {}
  const wchar_t* className() const override { return L"Static"; }
  DWORD style() const override { return SS_LEFT | SS_NOTIFY; }
  void onCommand(UINT code) override;
};

// A label the skin draws; a plain label until then.
class SkinLabel : public Label {
 public:
  static constexpr Kind kKind = Kind::SkinLabel;
  SkinLabel() : Label(kKind) {}
};

class CommandButton : public Control {
 public:
  static constexpr Kind kKind = Kind::CommandButton;
  CommandButton() : Control(kKind) {}
  // Presses the button as a click does, running its Click handler.
  void click();

 protected:
  const wchar_t* className() const override { return L"Button"; }
  DWORD style() const override;
  bool tabStop() const override { return true; }
  void onCommand(UINT code) override;
};

class CheckBox : public Control {
 public:
  static constexpr Kind kKind = Kind::CheckBox;
  CheckBox() : Control(kKind) {}
  // 0 unchecked, 1 checked, 2 grayed. Changing the value from code runs the Click handler,
  // as a user's click does.
  int value() const;
  void setValue(int value);
  bool checked() const { return value() == 1; }

 protected:
  const wchar_t* className() const override { return L"Button"; }
  DWORD style() const override { return BS_AUTOCHECKBOX | BS_MULTILINE; }
  bool tabStop() const override { return true; }
  void onCommand(UINT code) override;
};

// Option buttons in the same container form one group: selecting one clears the others.
class OptionButton : public Control {
 public:
  static constexpr Kind kKind = Kind::OptionButton;
  OptionButton() : Control(kKind) {}
  bool value() const;
  // Selecting a button from code runs its Click handler when the value changes.
  void setValue(bool on);

 protected:
  const wchar_t* className() const override { return L"Button"; }
  DWORD style() const override { return BS_RADIOBUTTON | BS_MULTILINE; }
  bool tabStop() const override { return true; }
  void onCommand(UINT code) override;

 private:
  void select(bool raiseClick);
};

// A group box; the controls that name it as their container are placed inside it and
// share its visibility and enabled state.
class Frame : public Control {
 public:
  static constexpr Kind kKind = Kind::Frame;
  Frame() : Control(kKind) {}

 protected:
  const wchar_t* className() const override { return L"Button"; }
  DWORD style() const override { return BS_GROUPBOX; }
};

class TextBox : public Control {
 public:
  static constexpr Kind kKind = Kind::TextBox;
  TextBox() : Control(kKind) {}
  std::string text() const { return caption(); }
  void setText(const std::string& t) { setCaption(t); }

 protected:
  const wchar_t* className() const override { return L"Edit"; }
  DWORD style() const override;
  DWORD exStyle() const override { return WS_EX_CLIENTEDGE; }
  bool tabStop() const override { return true; }
  void afterCreate() override;
  void onCommand(UINT code) override;
  bool wantsEnter() const override;
};

// A drop-down list, or with opt::kEditable a combo whose text can be typed. KeyPress
// receives Enter (13) when a KeyPress handler is bound; Click follows a change of selection
// by the user, with the text already that of the picked item.
class ComboBox : public Control {
 public:
  static constexpr Kind kKind = Kind::ComboBox;
  ComboBox() : Control(kKind) {}
  void addItem(const std::string& text);
  void clear();
  int listCount() const;
  std::string list(int index) const;
  // -1 when nothing is selected.
  int listIndex() const;
  void setListIndex(int index);
  // The text: for a drop-down list, the selected item; setting it selects the item that
  // matches exactly (std::invalid_argument when there is none).
  std::string text() const { return caption(); }
  void setText(const std::string& t) { setCaption(t); }
  void setCaption(const std::string& text) override;

 protected:
  const wchar_t* className() const override { return L"ComboBox"; }
  DWORD style() const override;
  bool tabStop() const override { return true; }
  void afterCreate() override;
  void onCommand(UINT code) override;
  bool wantsEnter() const override;
  int extraHeightPixels(int dpi) const override;
};

// A report-style list view. In virtual mode (opt::kVirtual) rows live outside the control:
// it asks for the text of each visible cell, so the row count costs nothing.
class ListView : public Control {
 public:
  static constexpr Kind kKind = Kind::ListView;
  using RowText = std::function<std::string(int row, int column)>;
  ListView() : Control(kKind) {}

  // Column headers, numbered from 1 as translation numbers them. Columns added before the
  // window exists belong to the design; those added later go when the window unloads.
  int addColumn(const std::string& text, int widthTwips);
  int columnCount() const override { return static_cast<int>(columns_.size()); }
  std::string columnText(int n) const override;
  void setColumnText(int n, const std::string& text) override;
  // Widths in twips; a width set and not changed since reads back exactly.
  int columnWidth(int n) const;
  void setColumnWidth(int n, int twips);

  // Rows, numbered from 0; column 0 is the item's own text, 1.. its sub-items.
  int addItem(const std::string& text);
  void setItemText(int row, int column, const std::string& text);
  std::string itemText(int row, int column) const;
  void removeItem(int row);
  void clear();
  int itemCount() const;

  // Virtual mode.
  void setRowSource(RowText source) { source_ = std::move(source); }
  void setRowCount(int rows);

  std::optional<int> selectedRow() const;
  // Selects from code without raising ItemClick.
  void setSelectedRow(std::optional<int> row);

  // Its column headers, which say what the list holds.
  std::optional<std::string> accessibleName() const override;

 protected:
  void applyColors() override;
  const wchar_t* className() const override { return L"SysListView32"; }
  DWORD style() const override;
  DWORD exStyle() const override { return WS_EX_CLIENTEDGE; }
  bool tabStop() const override { return true; }
  void afterCreate() override;
  void afterDestroy() override;
  std::optional<LRESULT> onNotify(NMHDR& header) override;
  std::optional<LRESULT> onMessage(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) override;
  void onDpiChanged() override;

 private:
  struct Column {
    std::string text;
    int twips;
    int pixels;  // the width that `twips` was last turned into
    bool design;
  };
  void insertColumn(int n);
  void requireColumn(int n) const;
  std::vector<Column> columns_;
  RowText source_;
  bool quiet_ = false;  // selection changes made by code raise no ItemClick
  bool clicking_ = false;  // inside a mouse click, which raises ItemClick itself
};

// A tree view whose nodes have keys, texts and (with opt::kCheckBoxes) checked states.
// NodeClick follows a click on a node's text; NodeCheck a change of a check box by the
// user. With opt::kFlipOnClick a click anywhere on a node flips its checked state exactly
// once, then raises NodeClick.
class TreeView : public Control {
 public:
  static constexpr Kind kKind = Kind::TreeView;
  TreeView() : Control(kKind) {}
  // Nodes are numbered from 1 in the order they were added.
  int addNode(const std::string& key, const std::string& text);
  int nodeCount() const { return static_cast<int>(nodes_.size()); }
  std::string nodeKey(int node) const;
  std::string nodeText(int node) const;
  void setNodeText(int node, const std::string& text);
  std::optional<int> findKey(const std::string& key) const;
  bool checked(int node) const;
  void setChecked(int node, bool on);
  std::optional<int> selectedNode() const;
  void clear();

 protected:
  void applyColors() override;
  const wchar_t* className() const override { return L"SysTreeView32"; }
  DWORD style() const override { return TVS_SHOWSELALWAYS; }
  DWORD exStyle() const override { return WS_EX_CLIENTEDGE; }
  bool tabStop() const override { return true; }
  void afterCreate() override;
  void afterDestroy() override { nodes_.clear(); }
  std::optional<LRESULT> onMessage(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) override;

 private:
  struct Node {
    HTREEITEM item;
    std::string key;
  };
  bool checkBoxes() const;
  HTREEITEM item(int node) const;
  std::optional<int> nodeOf(HTREEITEM item) const;
  std::vector<bool> checkStates() const;
  std::vector<Node> nodes_;
};

// A date picker, or with opt::kTimeFormat a time picker showing HH:mm:ss on the 24-hour
// clock. The value is a local date and time, to the second.
class DTPicker : public Control {
 public:
  static constexpr Kind kKind = Kind::DTPicker;
  DTPicker() : Control(kKind) {}
  std::chrono::local_seconds value() const;
  void setValue(std::chrono::local_seconds value);
  std::chrono::year_month_day date() const;
  void setDate(std::chrono::year_month_day date);  // keeps the time of day
  std::chrono::seconds timeOfDay() const;
  void setTimeOfDay(std::chrono::seconds time);  // keeps the date

 protected:
  void applyColors() override;
  const wchar_t* className() const override { return L"SysDateTimePick32"; }
  DWORD style() const override;
  bool tabStop() const override { return true; }
  void afterCreate() override;
  std::optional<LRESULT> onNotify(NMHDR& header) override;
};

// Sits at the bottom of the window whatever its design geometry; its caption is the text of
// its first panel. It starts with one panel as wide as the bar; once panels are added or
// sized, each has its own width. Panels are numbered from 1.
class StatusBar : public Control {
 public:
  static constexpr Kind kKind = Kind::StatusBar;
  StatusBar() : Control(kKind) {}
  void fit();
  // The height the bar takes at the bottom of the window, in twips.
  int actualHeight() const;

  // A panel of the default width (1440 twips) after the others; returns its number.
  int addPanel();
  int panelCount() const { return static_cast<int>(widths_.size()); }
  int panelWidth(int n) const;
  void setPanelWidth(int n, int twips);
  std::string panelText(int n) const;
  void setPanelText(int n, const std::string& text);

 protected:
  void applyColors() override;
  const wchar_t* className() const override { return L"msctls_statusbar32"; }
  void afterCreate() override { applyPanels(); }
  void afterDestroy() override;
  void onDpiChanged() override { applyPanels(); }

 private:
  static constexpr int kDefaultPanelWidth = 1440;
  std::size_t requirePanel(int n) const;
  void applyPanels();
  std::vector<int> widths_{kDefaultPanelWidth};  // twips
  bool sized_ = false;  // false: the one panel spans the bar
};

class PictureBox : public Control {
 public:
  static constexpr Kind kKind = Kind::PictureBox;
  PictureBox() : Control(kKind) {}
  // The picture, drawn centred on the back colour; a borrowed icon (a shared resource).
  void setPicture(HICON icon);

 protected:
  const wchar_t* className() const override { return L"Static"; }
  DWORD style() const override { return SS_NOTIFY; }
  void onCommand(UINT code) override;
  std::optional<LRESULT> onMessage(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) override;

 private:
  HICON picture_ = nullptr;
};

class ListBox : public Control {
 public:
  static constexpr Kind kKind = Kind::ListBox;
  ListBox() : Control(kKind) {}
  void addItem(const std::string& text);
  void removeItem(int index);
  void clear();
  int listCount() const;
  std::string list(int index) const;
  int listIndex() const;
  void setListIndex(int index);

 protected:
  const wchar_t* className() const override { return L"ListBox"; }
  DWORD style() const override { return LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL; }
  DWORD exStyle() const override { return WS_EX_CLIENTEDGE; }
  bool tabStop() const override { return true; }
  void onCommand(UINT code) override;
};

// Tabs, numbered from 1 as translation numbers them; Click follows a change of tab.
class TabStrip : public Control {
 public:
  static constexpr Kind kKind = Kind::TabStrip;
  TabStrip() : Control(kKind) {}
  int addTab(const std::string& caption);
  int tabCount() const override;
  std::string tabCaption(int n) const override;
  void setTabCaption(int n, const std::string& text) override;
  int selectedTab() const;
  void setSelectedTab(int n);

 protected:
  const wchar_t* className() const override { return L"SysTabControl32"; }
  DWORD style() const override { return WS_CLIPSIBLINGS; }
  bool tabStop() const override { return true; }
  std::optional<LRESULT> onNotify(NMHDR& header) override;
};

// A decorative etched line along its rectangle: across when it is wider than high, upright
// otherwise. Two pixels (30 twips) make a clean line; it has no caption and no events.
class Line : public Control {
 public:
  static constexpr Kind kKind = Kind::Line;
  Line() : Control(kKind) {}

 protected:
  const wchar_t* className() const override { return L"Static"; }
  DWORD style() const override { return width() >= height() ? SS_ETCHEDHORZ : SS_ETCHEDVERT; }
  bool hasColors() const override { return false; }
};

// A control of the given kind, for table rows that name no member.
std::unique_ptr<Control> makeControl(Kind kind);
std::unique_ptr<ControlArrayBase> makeControlArray(Kind kind);

}  // namespace quenmark::gui
