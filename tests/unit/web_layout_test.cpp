#include <gtest/gtest.h>

#include <ostream>

#include "core/presentation/web_layout.h"

namespace quenmark {

void PrintTo(const WebWindowLayout& l, std::ostream* os) {
  *os << "panels " << l.panel1Width << "/" << l.panel2Width << ", frame " << l.frmBrowserWidth
      << " x " << l.frmBrowserHeight << ", Text1 " << l.text1Width << ", Command3 at "
      << l.command3Left << ", browser " << l.webBrowser1Width << " x " << l.webBrowser1Height;
}

namespace {

WebWindowMeasures window(int width, int height, int statusBarHeight) {
  WebWindowMeasures m;
  m.windowWidth = width;
  m.windowHeight = height;
  m.statusBarHeight = statusBarHeight;
  return m;  // the controls keep their design values
}

TEST(LayoutWebWindow, StretchesTheAddressBoxAndTheBrowserWithTheWindow) {
  struct Case {
    const char* what;
    WebWindowMeasures in;
    WebWindowLayout out;  // panels, frame w/h, Text1 w, Command3 left, browser w/h
  };
  const Case cases[] = {
      {"design size", window(6375, 7215, 300), {3187, 3187, 6075, 6915, 4440, 5080, 5855, 4675}},
      {"1024 x 768 at 96 DPI",
       window(15360, 11520, 285),
       {7680, 7680, 15060, 11235, 13425, 14065, 14840, 9010}},
      {"other fixed parts",
       {8000, 9000, 300, 600, 900, 200, 1000},
       {4000, 4000, 7700, 8700, 5900, 6600, 7400, 6600}},
  };
  for (const auto& c : cases) EXPECT_EQ(LayoutWebWindow(c.in), c.out) << c.what;
}

// Below the fixed parts every size is the absolute value of the negative difference.
TEST(LayoutWebWindow, GivesAbsoluteValuesWhenTheWindowIsSmallerThanItsFixedParts) {
  struct Case {
    const char* what;
    WebWindowMeasures in;
    WebWindowLayout out;
  };
  const Case cases[] = {
      {"narrower than the frame margin",
       window(150, 1500, 300),
       {75, 75, 150, 1200, 1485, 2125, 70, 1040}},
      {"lower than the status bar",
       window(1000, 200, 300),
       {500, 500, 700, 100, 935, 1575, 480, 2140}},
      {"no size at all", window(0, 0, 300), {0, 0, 300, 300, 1335, 1975, 80, 1940}},
  };
  for (const auto& c : cases) EXPECT_EQ(LayoutWebWindow(c.in), c.out) << c.what;
}

TEST(LayoutWebWindow, DropsHalfTwipsOfOddWidths) {
  EXPECT_EQ(LayoutWebWindow(window(6001, 7000, 0)).panel1Width, 3000);
  EXPECT_EQ(LayoutWebWindow(window(6001, 7000, 0)).panel2Width, 3000);
}

}  // namespace
}  // namespace quenmark
