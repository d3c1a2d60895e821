#include "gui/web_browser.h"

#include <exdispid.h>

#include <cstdio>
#include <stdexcept>
#include <string_view>

#include "gui/form.h"
#include "platform/win32/text_win32.h"

namespace quenmark::gui {

namespace {

constexpr wchar_t kHostClass[] = L"QuenmarkWebBrowser";

std::string fromBstr(const win32::OleAut32Api& api, BSTR text) {
  return text ? win32::narrow(std::wstring_view(text, api.SysStringLen(text))) : std::string();
}

// The text an event argument carries, given directly or by reference.
std::string textOf(const win32::OleAut32Api& api, const VARIANT& v) {
  const VARIANT* p = &v;
  if (p->vt == (VT_BYREF | VT_VARIANT) && p->pvarVal) p = p->pvarVal;
  if (p->vt == VT_BSTR) return fromBstr(api, p->bstrVal);
  if (p->vt == (VT_BYREF | VT_BSTR) && p->pbstrVal) return fromBstr(api, *p->pbstrVal);
  return {};
}

std::string describe(HRESULT hr) {
  char code[16];
  std::snprintf(code, sizeof(code), "0x%08lX", static_cast<unsigned long>(hr));
  return win32::errorDescription(static_cast<DWORD>(hr)) + " (" + code + ")";
}

}  // namespace

// COM objects are deleted by their own Release, never through an interface pointer, and COM
// interfaces have no destructors to make virtual.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace {

// The reference count of an object the program hands to COM, which deletes it at zero.
class RefCount {
 public:
  ULONG add() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  template <class T>
  ULONG release(T* self) {
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete self;
    return static_cast<ULONG>(n);
  }

 private:
  LONG refs_ = 1;
};

}  // namespace

// ---- the site: what the browser asks of its container ---------------------------------------

// One object for the three interfaces an in-place object needs of its container. The frame
// offers no menus, tools or status line: the window has its own.
class WebBrowser::Site final : public IOleClientSite,
                               public IOleInPlaceSite,
                               public IOleInPlaceFrame {
 public:
  explicit Site(HWND host) : host_(host) {}
  ~Site() = default;
  Site(const Site&) = delete;
  Site& operator=(const Site&) = delete;
  // The browser may still hold the site after the control has let it go.
  void detach() { host_ = nullptr; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
      *out = static_cast<IOleInPlaceFrame*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return refs_.add(); }
  ULONG STDMETHODCALLTYPE Release() override { return refs_.release(this); }

  // IOleWindow (of the site and of the frame alike)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = host_;
    return host_ ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return host_ ? S_OK : S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                             LPRECT position, LPRECT clip,
                                             LPOLEINPLACEFRAMEINFO info) override {
    if (!frame || !doc || !position || !clip || !info) return E_POINTER;
    *frame = nullptr;
    *doc = nullptr;
    if (!host_) return E_FAIL;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    GetClientRect(host_, position);
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(host_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
    return INPLACE_E_NOTOOLSPACE;
  }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override {
    return S_OK;
  }

  // IOleInPlaceFrame
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  RefCount refs_;
  HWND host_;
};

// ---- the event sink ----------------------------------------------------------------------

class WebBrowser::Events final : public IDispatch {
 public:
  explicit Events(WebBrowser& owner) : owner_(&owner) {}
  ~Events() = default;
  Events(const Events&) = delete;
  Events& operator=(const Events&) = delete;
  // Events that arrive after the control has let go are dropped.
  void detach() { owner_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID_DWebBrowserEvents2) {
      return E_NOINTERFACE;
    }
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return refs_.add(); }
  ULONG STDMETHODCALLTYPE Release() override { return refs_.release(this); }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    // A handler may unload the window, and the control lets go of this sink then.
    AddRef();
    if (owner_ && params) owner_->browserEvent(id, *params);
    Release();
    return S_OK;
  }

 private:
  RefCount refs_;
  WebBrowser* owner_;
};

#pragma GCC diagnostic pop

// ---- the control -------------------------------------------------------------------------

WebBrowser::WebBrowser() : Control(kKind) {}

WebBrowser::~WebBrowser() {
  // Before the control's window goes, while the browser's own window still has its parent.
  unhost();
}

const wchar_t* WebBrowser::className() const {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(instance, kHostClass, &wc)) {
    wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = kHostClass;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassExW(&wc);
  }
  return kHostClass;
}

void WebBrowser::afterCreate() {
  HRESULT hr = host();
  if (FAILED(hr)) {
    unhost();
    throw std::runtime_error("cannot host the web browser " + name() + ": " + describe(hr));
  }
}

HRESULT WebBrowser::host() {
  HRESULT hr = form().forms().startOle();
  if (FAILED(hr)) return hr;
  // The browser's texts come and go as BSTRs: without oleaut32 it cannot be driven.
  if (!oleaut32_.library.load()) return HRESULT_FROM_WIN32(GetLastError());
  hr = ole32_.CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                               object_.putVoid());
  if (FAILED(hr)) return hr;
  site_ = ComPtr<Site>::adopt(new Site(hwnd()));
  events_ = ComPtr<Events>::adopt(new Events(*this));

  // Connected first, so that nothing the activation reports is missed.
  auto points = object_.as<IConnectionPointContainer>();
  if (!points) return E_NOINTERFACE;
  hr = points->FindConnectionPoint(DIID_DWebBrowserEvents2, eventSource_.put());
  if (FAILED(hr)) return hr;
  hr = eventSource_->Advise(events_.get(), &cookie_);
  if (FAILED(hr)) {
    eventSource_.reset();
    return hr;
  }

  hr = object_->SetClientSite(site_.get());
  if (FAILED(hr)) return hr;
  RECT r{};
  GetClientRect(hwnd(), &r);
  hr = object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, hwnd(), &r);
  if (FAILED(hr)) return hr;
  browser_ = object_.as<IWebBrowser2>();
  return browser_ ? S_OK : E_NOINTERFACE;
}

void WebBrowser::unhost() {
  if (eventSource_) {
    eventSource_->Unadvise(cookie_);
    eventSource_.reset();
    cookie_ = 0;
  }
  if (events_) {
    events_->detach();
    events_.reset();
  }
  browser_.reset();
  if (object_) {
    if (auto inPlace = object_.as<IOleInPlaceObject>()) inPlace->InPlaceDeactivate();
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    object_.reset();
  }
  if (site_) {
    site_->detach();
    site_.reset();
  }
}

void WebBrowser::fitBrowser() {
  if (!object_) return;
  RECT r{};
  GetClientRect(hwnd(), &r);
  if (auto inPlace = object_.as<IOleInPlaceObject>()) inPlace->SetObjectRects(&r, &r);
}

std::optional<LRESULT> WebBrowser::onMessage(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (window == hwnd()) {
    if (message == WM_SIZE) fitBrowser();
    // The browser's window is still there now; at WM_NCDESTROY it would be gone.
    if (message == WM_DESTROY) unhost();
  }
  return Control::onMessage(window, message, wParam, lParam);
}

void WebBrowser::browserEvent(DISPID id, const DISPPARAMS& params) {
  // Arguments arrive last first.
  auto argument = [&](UINT position, UINT count) -> std::string {
    if (params.cArgs != count || !params.rgvarg) return {};
    return textOf(oleaut32_, params.rgvarg[count - 1 - position]);
  };
  EventArgs args;
  try {
    switch (id) {
      case DISPID_STATUSTEXTCHANGE:  // (Text)
        args.text = argument(0, 1);
        raise(Event::StatusTextChange, args);
        break;
      case DISPID_DOWNLOADCOMPLETE:
        raise(Event::DownloadComplete, args);
        break;
      // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
      case DISPID_BEFORENAVIGATE2:
        args.text = argument(1, 7);
        raise(Event::BeforeNavigate2, args);
        break;
      default:
        break;
    }
  } catch (const std::exception& e) {
    // No exception may cross into the browser.
    if (created()) form().forms().reportError(form().name() + ": " + e.what());
  } catch (...) {
    if (created()) form().forms().reportError(form().name() + ": unknown exception");
  }
}

HRESULT WebBrowser::navigate(const std::string& url) {
  if (!browser_) return E_UNEXPECTED;
  std::wstring wide = win32::widen(url);
  BSTR address = oleaut32_.SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (!address) return E_OUTOFMEMORY;
  VARIANT none{};  // VT_EMPTY
  HRESULT hr = browser_->Navigate(address, &none, &none, &none, &none);
  oleaut32_.SysFreeString(address);
  return hr;
}

HRESULT WebBrowser::goBack() { return browser_ ? browser_->GoBack() : E_UNEXPECTED; }
HRESULT WebBrowser::goForward() { return browser_ ? browser_->GoForward() : E_UNEXPECTED; }
HRESULT WebBrowser::stop() { return browser_ ? browser_->Stop() : E_UNEXPECTED; }
HRESULT WebBrowser::refreshPage() { return browser_ ? browser_->Refresh() : E_UNEXPECTED; }

std::string WebBrowser::locationURL() const {
  BSTR text = nullptr;
  if (!browser_ || FAILED(browser_->get_LocationURL(&text))) return {};
  std::string out = fromBstr(oleaut32_, text);
  oleaut32_.SysFreeString(text);
  return out;
}

std::string WebBrowser::locationName() const {
  BSTR text = nullptr;
  if (!browser_ || FAILED(browser_->get_LocationName(&text))) return {};
  std::string out = fromBstr(oleaut32_, text);
  oleaut32_.SysFreeString(text);
  return out;
}

}  // namespace quenmark::gui
