#include "win/accessible.h"

#include <oleacc.h>

#include "win/system_dll.h"
#include "win/window.h"

namespace {

// Loaded from the system folder rather than imported: oleacc.dll is not one of the DLLs Windows
// always takes from there, and the strings' allocator comes along with it.
struct OleAcc {
    decltype(&::LresultFromObject) lresultFromObject = nullptr;
    decltype(&::CreateStdAccessibleObject) createStdAccessibleObject = nullptr;
    decltype(&::SysAllocStringLen) sysAllocStringLen = nullptr;
};

const OleAcc& LoadOleAcc() {
    static const OleAcc api = [] {
        const HMODULE oleacc = LoadSystemDll(L"oleacc.dll");
        const OleAcc loaded{
            ProcOf<decltype(&::LresultFromObject)>(oleacc, "LresultFromObject"),
            ProcOf<decltype(&::CreateStdAccessibleObject)>(oleacc, "CreateStdAccessibleObject"),
            ProcOf<decltype(&::SysAllocStringLen)>(LoadSystemDll(L"oleaut32.dll"),
                                                   "SysAllocStringLen")};
        const bool whole = loaded.lresultFromObject && loaded.createStdAccessibleObject &&
                           loaded.sysAllocStringLen;
        return whole ? loaded : OleAcc{};
    }();
    return api;
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT Text(const std::wstring& text, BSTR* out) {
    *out = LoadOleAcc().sysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// Our answers over the system's object for the window. The answers are shared with their
// owner, which empties them when it goes. Deleted only by its own Release, as COM objects are.
#ifdef __GNUC__
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class AccessibleObject final : public IAccessible {
public:
    AccessibleObject(IAccessible* standard, std::shared_ptr<const AccessibleAnswers> answers)
        : m_std(standard), m_answers(std::move(answers)) {}
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return m_std->QueryInterface(iid, out);  // IEnumVARIANT, IOleWindow: the system's
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG refs = --m_refs;
        if (refs == 0) delete this;
        return refs;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        if (IsSelf(child) && m_answers->name) return Text(m_answers->name(), out);
        return m_std->get_accName(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        if (IsSelf(child) && m_answers->value) return Text(m_answers->value(), out);
        return m_std->get_accValue(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        if (!IsSelf(child) || !m_answers->role) return m_std->get_accRole(child, out);
        out->vt = VT_I4;
        out->lVal = m_answers->role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        const HRESULT result = m_std->get_accState(child, out);
        if (!IsSelf(child) || !m_answers->state) return result;
        const long standard = SUCCEEDED(result) && out->vt == VT_I4 ? out->lVal : 0;
        out->vt = VT_I4;
        out->lVal = standard | m_answers->state();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        if (!IsSelf(child) || m_answers->defaultAction.empty()) {
            return m_std->get_accDefaultAction(child, out);
        }
        return Text(m_answers->defaultAction, out);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child) || !m_answers->doDefaultAction) return m_std->accDoDefaultAction(child);
        m_answers->doDefaultAction();
        return S_OK;
    }

    // Everything else is the system's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return m_std->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return m_std->GetTypeInfo(index, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override {
        return m_std->GetIDsOfNames(iid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override {
        return m_std->Invoke(id, iid, lcid, flags, params, result, exception, argError);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
        return m_std->get_accParent(out);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* out) override {
        return m_std->get_accChildCount(out);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return m_std->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return m_std->get_accDescription(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        return m_std->get_accHelp(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return m_std->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return m_std->get_accKeyboardShortcut(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        return m_std->get_accFocus(out);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        return m_std->get_accSelection(out);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return m_std->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h,
                                          VARIANT child) override {
        return m_std->accLocation(x, y, w, h, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
        return m_std->accNavigate(direction, start, out);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        return m_std->accHitTest(x, y, out);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return m_std->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return m_std->put_accValue(child, value);
    }

private:
    ~AccessibleObject() { m_std->Release(); }

    ULONG m_refs = 1;  // the user-interface thread's objects: no other thread calls them
    IAccessible* m_std;
    std::shared_ptr<const AccessibleAnswers> m_answers;
};
#ifdef __GNUC__
#pragma GCC diagnostic pop
#endif

LRESULT AnswerFor(HWND window, WPARAM wParam, LPARAM lParam,
                  const std::shared_ptr<AccessibleAnswers>& answers) {
    const OleAcc& oleacc = LoadOleAcc();
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !oleacc.lresultFromObject) return 0;
    void* standard = nullptr;
    if (FAILED(
            oleacc.createStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible, &standard))) {
        return 0;
    }
    auto* object = new AccessibleObject(static_cast<IAccessible*>(standard), answers);
    const LRESULT result = oleacc.lresultFromObject(IID_IAccessible, wParam, object);
    object->Release();  // the result holds its own reference
    return result > 0 ? result : 0;
}

// A control whose WM_GETOBJECT we answer. It belongs to the control, which may outlive the
// CAccessible that attached it (whose answers are then empty) and ends it when destroyed.
struct AttachedControl : CFrontProcedure<AttachedControl> {
    explicit AttachedControl(std::shared_ptr<AccessibleAnswers> given)
        : answers(std::move(given)) {}
    bool Take(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) const {
        if (msg != WM_GETOBJECT) return false;
        result = AnswerFor(Window(), wParam, lParam, answers);
        return result != 0;  // else the control's own answer
    }
    void OnWindowGone() { delete this; }
    std::shared_ptr<AccessibleAnswers> answers;
};

}  // namespace

CAccessible::CAccessible() : m_answers(std::make_shared<AccessibleAnswers>()) {}

CAccessible::~CAccessible() {
    // Its answers may call into the owner, which is going.
    *m_answers = AccessibleAnswers{};
}

bool CAccessible::Attach(HWND control) {
    auto attached = std::make_unique<AttachedControl>(m_answers);
    if (!attached->PutInFront(control)) return false;
    attached.release();  // the control's now, until WM_NCDESTROY
    return true;
}

bool CAccessible::AttachName(HWND control, std::wstring name) {
    m_answers->name = [name = std::move(name)] { return name; };
    return Attach(control);
}

LRESULT CAccessible::Answer(HWND window, WPARAM wParam, LPARAM lParam) const {
    return AnswerFor(window, wParam, lParam, m_answers);
}

void NotifyAccessible(DWORD event, HWND window) {
    ::NotifyWinEvent(event, window, OBJID_CLIENT, CHILDID_SELF);
}

void CLiveRegion::Mark(HWND window) {
    // UI Automation's LiveSetting property; 1 is Polite.
    static constexpr GUID kLiveSetting = {
        0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
    m_window = window;
    m_live = false;
    IAccPropServices* services = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        return;
    }
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = 1;
    m_live = SUCCEEDED(services->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                             kLiveSetting, polite));
    services->Release();
}

void CLiveRegion::Changed() const {
    constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED, Windows 8 on
    if (!m_window) return;
    NotifyAccessible(EVENT_OBJECT_NAMECHANGE, m_window);
    if (m_live) NotifyAccessible(kLiveRegionChanged, m_window);
}
