#pragma once

namespace quenmark {

// What the web window's layout starts from, in twips: the window's outer size, the status
// bar's height and the design values of the controls that do not move.
struct WebWindowMeasures {
  int windowWidth = 0;
  int windowHeight = 0;
  int statusBarHeight = 0;
  int text1Left = 540;
  int command3Width = 795;
  int webBrowser1Left = 120;
  int webBrowser1Top = 1140;
};

// The sizes and places the layout gives, in twips. Every size is the absolute value of its
// difference, so a window smaller than its fixed parts still gives positive sizes.
struct WebWindowLayout {
  int panel1Width = 0;
  int panel2Width = 0;
  int frmBrowserWidth = 0;
  int frmBrowserHeight = 0;
  int text1Width = 0;
  int command3Left = 0;
  int webBrowser1Width = 0;
  int webBrowser1Height = 0;

  bool operator==(const WebWindowLayout&) const = default;
};

// The address box stretches with the window, the Go button follows its right end, the
// browser fills the frame; the status bar's two panels share the width. Halves of a twip
// are dropped.
WebWindowLayout LayoutWebWindow(const WebWindowMeasures& m);

}  // namespace quenmark
