// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/win32/accessible_rows.h"

#include "front/win32/system.h"

#include <commctrl.h>
#include <oleacc.h>

namespace win32front {
namespace {

// From libraries loaded at the first question, as most runs have no reader
// asking; linked, they would load before the main window shows.
BSTR Copy(const std::wstring& text) {
    using Allocate = BSTR(WINAPI*)(const OLECHAR*, UINT);
    static const auto allocate = SystemFunction<Allocate>(L"oleaut32.dll", "SysAllocStringLen");
    return allocate ? allocate(text.data(), static_cast<UINT>(text.size())) : nullptr;
}

void Empty(VARIANT* v) {
    v->vt = VT_EMPTY;
}

// The list itself is child 0 (CHILDID_SELF), its rows 1 to count. Once the
// list has gone, the object answers that it is no longer connected.
class Rows final : public IAccessible {
public:
    Rows(HWND list, RowSource source) : list_(list), source_(std::move(source)) {}
    void Disconnect() { list_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: not by name.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
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

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        *parent = nullptr;
        return list_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        *count = list_ ? source_.count() : 0;
        return list_ ? S_OK : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
        *child = nullptr; // rows are simple elements of the list
        return list_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        *name = nullptr;
        const HRESULT checked = Check(child);
        if (checked != S_OK) {
            return checked;
        }
        *name = Copy(child.lVal == CHILDID_SELF ? source_.name : source_.text(child.lVal - 1));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        *value = nullptr;
        const HRESULT checked = Check(child);
        return checked == S_OK ? S_FALSE : checked;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return get_accValue(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        Empty(role);
        const HRESULT checked = Check(child);
        if (checked == S_OK) {
            role->vt = VT_I4;
            role->lVal = child.lVal == CHILDID_SELF ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
        }
        return checked;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        Empty(state);
        const HRESULT checked = Check(child);
        if (checked != S_OK) {
            return checked;
        }
        state->vt = VT_I4;
        const bool focused = GetFocus() == list_;
        if (child.lVal == CHILDID_SELF) {
            state->lVal = STATE_SYSTEM_FOCUSABLE | (focused ? STATE_SYSTEM_FOCUSED : 0);
            return S_OK;
        }
        const int row = child.lVal - 1;
        long flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (SendMessageW(list_, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0) {
            flags |= STATE_SYSTEM_SELECTED;
        }
        if (focused && SendMessageW(list_, LB_GETCARETINDEX, 0, 0) == row) {
            flags |= STATE_SYSTEM_FOCUSED;
        }
        RECT r{};
        RECT client{};
        SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        GetClientRect(list_, &client);
        if (r.bottom <= client.top || r.top >= client.bottom) {
            flags |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
        }
        state->lVal = flags;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return get_accValue(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        *file = nullptr;
        *topic = 0;
        return list_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return get_accValue(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        Empty(focus);
        if (!list_) {
            return CO_E_OBJNOTCONNECTED;
        }
        if (GetFocus() != list_) {
            return S_FALSE;
        }
        focus->vt = VT_I4;
        focus->lVal = static_cast<long>(SendMessageW(list_, LB_GETCARETINDEX, 0, 0)) + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        Empty(selection);
        if (!list_) {
            return CO_E_OBJNOTCONNECTED;
        }
        const auto row = static_cast<long>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
        if (row < 0) {
            return S_FALSE;
        }
        selection->vt = VT_I4;
        selection->lVal = row + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return get_accValue(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        const HRESULT checked = Check(child);
        if (checked != S_OK) {
            return checked;
        }
        RECT r{};
        if (child.lVal == CHILDID_SELF) {
            GetWindowRect(list_, &r);
        } else {
            SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(child.lVal - 1),
                         reinterpret_cast<LPARAM>(&r));
            MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        }
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* end) override {
        Empty(end);
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        Empty(child);
        if (!list_) {
            return CO_E_OBJNOTCONNECTED;
        }
        POINT at{x, y};
        ScreenToClient(list_, &at);
        RECT client{};
        GetClientRect(list_, &client);
        if (!PtInRect(&client, at)) {
            return S_FALSE;
        }
        const auto hit =
            static_cast<DWORD>(SendMessageW(list_, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y)));
        child->vt = VT_I4;
        child->lVal = HIWORD(hit) ? CHILDID_SELF : static_cast<long>(LOWORD(hit)) + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    HRESULT Check(const VARIANT& child) const {
        if (!list_) {
            return CO_E_OBJNOTCONNECTED;
        }
        if (child.vt != VT_I4 || child.lVal < 0 || child.lVal > source_.count()) {
            return E_INVALIDARG;
        }
        return S_OK;
    }

    LONG references_ = 1;
    HWND list_;
    RowSource source_;
};

LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                          DWORD_PTR data) {
    auto* rows = reinterpret_cast<Rows*>(data);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        using Result = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
        static const auto result = SystemFunction<Result>(L"oleacc.dll", "LresultFromObject");
        if (result) {
            return result(__uuidof(IAccessible), wParam, rows);
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, ListProc, id);
        rows->Disconnect();
        rows->Release();
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

} // namespace

void AnswerForRows(HWND list, RowSource rows) {
    SetWindowSubclass(list, ListProc, 1,
                      reinterpret_cast<DWORD_PTR>(new Rows(list, std::move(rows))));
}

} // namespace win32front
