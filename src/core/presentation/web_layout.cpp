#include "core/presentation/web_layout.h"

#include <cstdlib>

namespace quenmark {

WebWindowLayout LayoutWebWindow(const WebWindowMeasures& m) {
  WebWindowLayout l;
  l.panel1Width = std::abs(m.windowWidth / 2);
  l.panel2Width = std::abs(m.windowWidth / 2);
  l.frmBrowserHeight = std::abs(m.windowHeight - m.statusBarHeight);
  l.frmBrowserWidth = std::abs(m.windowWidth - 300);
  l.text1Width = std::abs(l.frmBrowserWidth - m.text1Left - 300 - m.command3Width);
  l.command3Left = l.text1Width + m.text1Left + 100;
  l.webBrowser1Width = std::abs(l.frmBrowserWidth - m.webBrowser1Left - 100);
  // The status bar's height counts twice: once in the frame, once more below the browser.
  l.webBrowser1Height = std::abs(l.frmBrowserHeight - m.webBrowser1Top - 800 - m.statusBarHeight);
  return l;
}

}  // namespace quenmark
