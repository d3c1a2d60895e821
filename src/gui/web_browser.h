#pragma once

#include <windows.h>

#include <exdisp.h>
#include <ocidl.h>
#include <oleidl.h>

#include <string>

#include "gui/com_ptr.h"
#include "gui/control.h"
#include "platform/win32/com_api_win32.h"

namespace quenmark::gui {

// The system's web-browser control (CLSID_WebBrowser), hosted in a child window of its own
// and activated in place there; hosting it starts OLE for the windows (Forms::startOle). Its
// events reach the window as StatusTextChange and BeforeNavigate2 (EventArgs::text: the status
// text, the address) and DownloadComplete. Creating it throws when OLE cannot be started or the
// browser cannot be created or activated.
class WebBrowser : public Control {
 public:
  static constexpr Kind kKind = Kind::WebBrowser;
  WebBrowser();
  ~WebBrowser() override;

  // Whether the browser object is there, activated in the control's window.
  bool hosted() const { return static_cast<bool>(browser_); }

  // The browser's own results, for the caller to act on or ignore; E_UNEXPECTED while the
  // browser is not hosted.
  HRESULT navigate(const std::string& url);
  HRESULT goBack();
  HRESULT goForward();
  HRESULT stop();
  HRESULT refreshPage();  // the browser's Refresh
  // Empty while nothing has loaded (or the browser is not hosted).
  std::string locationURL() const;
  std::string locationName() const;

 protected:
  const wchar_t* className() const override;
  // Not clipped by its siblings: a frame holding it is a sibling that covers it. No tab
  // stop: the browser's own window takes the focus when clicked.
  DWORD style() const override { return WS_CLIPCHILDREN; }
  void afterCreate() override;
  void afterDestroy() override { unhost(); }
  std::optional<LRESULT> onMessage(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) override;

 private:
  class Site;    // IOleClientSite, IOleInPlaceSite and IOleInPlaceFrame for the browser
  class Events;  // DWebBrowserEvents2

  HRESULT host();
  void unhost();
  void fitBrowser();
  void browserEvent(DISPID id, const DISPPARAMS& params);

  win32::Ole32Api ole32_;
  win32::OleAut32Api oleaut32_;
  ComPtr<Site> site_;
  ComPtr<Events> events_;
  ComPtr<IOleObject> object_;
  ComPtr<IWebBrowser2> browser_;
  ComPtr<IConnectionPoint> eventSource_;
  DWORD cookie_ = 0;
};

}  // namespace quenmark::gui
