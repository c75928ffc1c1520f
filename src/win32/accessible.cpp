#include "win32/accessible.h"

#include <oleacc.h>

#include "win32/draw.h"

namespace brindle::win32 {

namespace {

BSTR bstr(const std::wstring& s) {
    return SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
}

bool self(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

long roleOf(view::Role role) {
    switch (role) {
        case view::Role::Toggle:
            return ROLE_SYSTEM_PUSHBUTTON;
        case view::Role::ProgressBar:
            return ROLE_SYSTEM_PROGRESSBAR;
        case view::Role::Clock:
            return ROLE_SYSTEM_CLOCK;
        default:
            return ROLE_SYSTEM_GRAPHIC;
    }
}

// The system's object for the window, with the role, name and value replaced.
class Accessible : public IAccessible {
  public:
    Accessible(IAccessible* standard, std::function<view::Spoken()> spoken)
        : std_(standard), spoken_(std::move(spoken)) {}
    virtual ~Accessible() { std_->Release(); }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: not offered; screen readers use IAccessible itself.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // What this control says of itself.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        if (!self(child)) return E_INVALIDARG;
        *out = bstr(wide(spoken_().name));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        if (!self(child)) return E_INVALIDARG;
        const std::string value = spoken_().value;
        *out = value.empty() ? nullptr : bstr(wide(value));
        return value.empty() ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        if (!self(child)) return E_INVALIDARG;
        out->vt = VT_I4;
        out->lVal = roleOf(spoken_().role);
        return S_OK;
    }

    // The rest is the window's own.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override {
        return std_->get_accParent(p);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override {
        return std_->get_accChildCount(n);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** p) override {
        return std_->get_accChild(c, p);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* s) override {
        return std_->get_accDescription(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* s) override {
        return std_->get_accState(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* s) override {
        return std_->get_accHelp(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, long* t) override {
        return std_->get_accHelpTopic(f, c, t);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* s) override {
        return std_->get_accKeyboardShortcut(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* c) override { return std_->get_accFocus(c); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* c) override {
        return std_->get_accSelection(c);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* s) override {
        return std_->get_accDefaultAction(c, s);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long f, VARIANT c) override {
        return std_->accSelect(f, c);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT c) override {
        return std_->accLocation(x, y, w, h, c);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long d, VARIANT s, VARIANT* e) override {
        return std_->accNavigate(d, s, e);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* c) override {
        return std_->accHitTest(x, y, c);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override {
        return std_->accDoDefaultAction(c);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    LONG refs_ = 1;
    IAccessible* std_;
    std::function<view::Spoken()> spoken_;
};

}  // namespace

LRESULT accessibleObject(HWND control, WPARAM wp, LPARAM lp, std::function<view::Spoken()> spoken) {
    if (static_cast<LONG>(lp) != OBJID_CLIENT) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    auto* object = new Accessible(standard, std::move(spoken));
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), wp, object);
    object->Release();  // the result holds its own reference
    return result;
}

}  // namespace brindle::win32
