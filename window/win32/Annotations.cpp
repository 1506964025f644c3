#include "Annotations.h"

#include <commctrl.h>

#include <algorithm>

#include "SystemDll.h"
#include "Win32Error.h"

namespace zarnik::win32 {

Annotations::~Annotations() {
    if (services_) services_->Release();
    if (comStarted_) uninitialize_();
}

Annotations::Entry* Annotations::Find(HWND button) {
    const auto it = std::ranges::find(entries_, button, &Entry::button);
    return it == entries_.end() ? nullptr : &*it;
}

void Annotations::Set(HWND button, bool pressed, const wchar_t* description) {
    Entry* entry = Find(button);
    if (!entry) {
        entry = Checked(Find(nullptr), L"Annotations::Set(a button past the cells)");
        *entry = {button, pressed, description};
        Checked(SetWindowSubclass(button, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this)),
                L"SetWindowSubclass(annotations)");
        Annotate(*entry);
        return;
    }
    if (entry->pressed == pressed) return;
    *entry = {button, pressed, description};
    Annotate(*entry);
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, button, OBJID_CLIENT, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, button, OBJID_CLIENT, CHILDID_SELF);
}

void Annotations::Start() {
    if (started_) return;
    // Once only: without COM or oleacc the buttons still have their names.
    started_ = true;
    // Loaded here rather than imported: under Wine, loading ole32 with the
    // program delays its window. A known DLL, so always the system's own.
    const HMODULE ole32 = LoadLibraryW(L"ole32.dll");
    const auto initialize = DllFunction<decltype(&CoInitializeEx)>(ole32, "CoInitializeEx");
    const auto create = DllFunction<decltype(&CoCreateInstance)>(ole32, "CoCreateInstance");
    uninitialize_ = DllFunction<decltype(&CoUninitialize)>(ole32, "CoUninitialize");
    if (!initialize || !create || !uninitialize_) return;
    comStarted_ = SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    if (!comStarted_ || FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                      reinterpret_cast<void**>(&services_)))) {
        services_ = nullptr;
        return;
    }
    for (const Entry& entry : entries_)
        if (entry.button) Annotate(entry);
}

void Annotations::Annotate(const Entry& entry) const {
    if (!services_) return;
    // An annotated state replaces the standard one, so it carries the focus.
    VARIANT state{};
    V_VT(&state) = VT_I4;
    V_I4(&state) = STATE_SYSTEM_FOCUSABLE | (GetFocus() == entry.button ? STATE_SYSTEM_FOCUSED : 0) |
                   (entry.pressed ? STATE_SYSTEM_PRESSED : 0);
    // A refused annotation leaves the standard object as it was; that is all
    // a failure could mean here, so the results are not checked.
    services_->SetHwndProp(entry.button, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_STATE, state);
    services_->SetHwndPropStr(entry.button, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION, entry.description);
}

void Annotations::Forget(HWND button) {
    if (services_) {
        const MSAAPROPID properties[] = {PROPID_ACC_STATE, PROPID_ACC_DESCRIPTION};
        services_->ClearHwndProps(button, OBJID_CLIENT, CHILDID_SELF, properties, 2);
    }
    if (Entry* entry = Find(button)) *entry = {};
}

LRESULT CALLBACK Annotations::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR data) {
    auto* self = reinterpret_cast<Annotations*>(data);
    switch (message) {
    case WM_GETOBJECT: self->Start(); break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (const Entry* entry = self->Find(hwnd)) self->Annotate(*entry);
        break;
    case WM_NCDESTROY:
        self->Forget(hwnd);
        RemoveWindowSubclass(hwnd, SubclassProc, id);
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace zarnik::win32
