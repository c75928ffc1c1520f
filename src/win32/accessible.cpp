#include "win32/accessible.h"

#include <oleacc.h>

#include "win32/draw.h"

namespace brindle::win32 {

namespace {

BSTR bstr(const std::wstring& s) {
    return SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
}

long roleOf(view::Role role) {
    switch (role) {
        case view::Role::Toggle:
            return ROLE_SYSTEM_PUSHBUTTON;
        case view::Role::ProgressBar:
            return ROLE_SYSTEM_PROGRESSBAR;
        case view::Role::Clock:
            return ROLE_SYSTEM_CLOCK;
        case view::Role::Graphic:
            return ROLE_SYSTEM_GRAPHIC;
        default:
            return ROLE_SYSTEM_STATICTEXT;
    }
}

// The system's object for the window, with the controls as its children.
class Accessible : public IAccessible {
  public:
    Accessible(IAccessible* standard, HWND window, Board& board)
        : std_(standard), window_(window), board_(board) {}
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

    // The children: controls without windows, so the client area answers for them.
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override {
        *n = gone() ? 0 : long(board_.children().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** p) override {
        *p = nullptr;
        return child(c) ? S_FALSE : E_INVALIDARG;  // a simple element, or none
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT c, BSTR* out) override {
        const layout::Control* k = child(c);
        if (!k) return isSelf(c) ? std_->get_accName(c, out) : E_INVALIDARG;
        *out = bstr(wide(board_.spoken(*k).name));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* out) override {
        const layout::Control* k = child(c);
        if (!k) return isSelf(c) ? std_->get_accValue(c, out) : E_INVALIDARG;
        const std::string value = board_.spoken(*k).value;
        *out = value.empty() ? nullptr : bstr(wide(value));
        return value.empty() ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT c, VARIANT* out) override {
        const layout::Control* k = child(c);
        if (!k) return isSelf(c) ? std_->get_accRole(c, out) : E_INVALIDARG;
        out->vt = VT_I4;
        out->lVal = roleOf(board_.spoken(*k).role);
        return S_OK;
    }
    // A cell is a toggle: a button, pressed while the lamp is lit.
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* out) override {
        const layout::Control* k = child(c);
        if (!k) return isSelf(c) ? std_->get_accState(c, out) : E_INVALIDARG;
        const view::Spoken s = board_.spoken(*k);
        out->vt = VT_I4;
        out->lVal = s.role != view::Role::Toggle
                        ? STATE_SYSTEM_READONLY
                        : STATE_SYSTEM_FOCUSABLE | (s.pressed ? STATE_SYSTEM_PRESSED : 0) |
                              (s.focused ? STATE_SYSTEM_FOCUSED : 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT c) override {
        const layout::Control* k = child(c);
        if (!k) return isSelf(c) ? std_->accLocation(x, y, w, h, c) : E_INVALIDARG;
        const RECT r = board_.onScreen(*k);
        *x = r.left, *y = r.top, *w = r.right - r.left, *h = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        const HRESULT r = std_->accHitTest(x, y, out);
        if (r == S_OK && out->vt == VT_I4 && out->lVal == CHILDID_SELF && !gone())
            out->lVal = board_.childAt({x, y});
        return r;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long d, VARIANT from, VARIANT* out) override {
        const long n = gone() ? 0 : long(board_.children().size());
        long to = 0;
        if (isSelf(from) && (d == NAVDIR_FIRSTCHILD || d == NAVDIR_LASTCHILD)) {
            to = d == NAVDIR_FIRSTCHILD ? 1 : n;
        } else if (child(from) && (d == NAVDIR_NEXT || d == NAVDIR_PREVIOUS)) {
            to = from.lVal + (d == NAVDIR_NEXT ? 1 : -1);
        } else {
            return child(from) ? S_FALSE : std_->accNavigate(d, from, out);
        }
        if (to < 1 || to > n) return S_FALSE;
        out->vt = VT_I4;
        out->lVal = to;
        return S_OK;
    }
    // The keyboard's marker is the focus, as far as a screen reader is concerned.
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        const HRESULT r = std_->get_accFocus(out);
        if (r != S_OK || out->vt != VT_I4 || out->lVal != CHILDID_SELF || gone()) return r;
        const auto& all = board_.children();
        for (std::size_t k = 0; k < all.size(); ++k) {
            if (board_.spoken(*all[k]).focused) out->lVal = long(k + 1);
        }
        return r;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override {
        const layout::Control* k = child(c);
        if (!k) return isSelf(c) ? std_->accDoDefaultAction(c) : E_INVALIDARG;
        if (board_.spoken(*k).role != view::Role::Toggle) return DISP_E_MEMBERNOTFOUND;
        board_.press(*k);
        return S_OK;
    }

    // The rest: the window's own, and nothing for a child.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override {
        return std_->get_accParent(p);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* s) override {
        return own(c, s, &IAccessible::get_accDescription);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* s) override {
        return own(c, s, &IAccessible::get_accHelp);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* s) override {
        return own(c, s, &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* s) override {
        return own(c, s, &IAccessible::get_accDefaultAction);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, long* t) override {
        return std_->get_accHelpTopic(f, c, t);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* c) override {
        return std_->get_accSelection(c);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long f, VARIANT c) override {
        return isSelf(c) ? std_->accSelect(f, c) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    // A screen reader may hold the object after the window has gone.
    bool gone() const { return !IsWindow(window_); }
    static bool isSelf(const VARIANT& c) { return c.vt == VT_I4 && c.lVal == CHILDID_SELF; }
    const layout::Control* child(const VARIANT& c) const {
        if (c.vt != VT_I4 || c.lVal < 1 || gone()) return nullptr;
        const auto& all = board_.children();
        return std::size_t(c.lVal) <= all.size() ? all[std::size_t(c.lVal - 1)] : nullptr;
    }
    HRESULT own(VARIANT c, BSTR* s, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
        *s = nullptr;
        if (isSelf(c)) return (std_->*get)(c, s);
        return child(c) ? S_FALSE : E_INVALIDARG;
    }

    LONG refs_ = 1;
    IAccessible* std_;
    HWND window_;
    Board& board_;
};

}  // namespace

LRESULT accessibleObject(HWND window, WPARAM wp, LPARAM lp, Board& board) {
    if (static_cast<LONG>(lp) != OBJID_CLIENT) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    auto* object = new Accessible(standard, window, board);
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), wp, object);
    object->Release();  // the result holds its own reference
    return result;
}

}  // namespace brindle::win32
