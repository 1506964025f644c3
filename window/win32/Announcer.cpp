#include "Announcer.h"

#include <ole2.h>

#include "SystemDll.h"

namespace zarnik::win32 {
namespace {

// As Windows documents them; older SDK headers lack the notification, and
// MinGW's for the rest are C only. The provider is an
// IRawElementProviderSimple, of which only IUnknown is used here.
constexpr int kActionCompleted = 2;                      // NotificationKind_ActionCompleted
constexpr int kImportantMostRecent = 1;                  // NotificationProcessing_ImportantMostRecent
constexpr std::wstring_view kActivity = L"Zarnik.Move";  // names our notifications to screen readers

struct Uia {
    BOOL(WINAPI* listening)() = nullptr;
    HRESULT(WINAPI* host)(HWND, IUnknown**) = nullptr;
    HRESULT(WINAPI* raise)(IUnknown*, int, int, BSTR, BSTR) = nullptr;
    decltype(&SysAllocStringLen) allocate = nullptr;
    decltype(&SysFreeString) free = nullptr;
};

const Uia& Functions() {
    // From the system folder only: uiautomationcore is no known DLL, so a
    // bare name would be looked for beside the executable first.
    static const Uia uia = [] {
        const HMODULE core = LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        const HMODULE ole = LoadLibraryW(L"oleaut32.dll");  // a known DLL
        return Uia{DllFunction<decltype(Uia::listening)>(core, "UiaClientsAreListening"),
                   DllFunction<decltype(Uia::host)>(core, "UiaHostProviderFromHwnd"),
                   DllFunction<decltype(Uia::raise)>(core, "UiaRaiseNotificationEvent"),
                   DllFunction<decltype(Uia::allocate)>(ole, "SysAllocStringLen"),
                   DllFunction<decltype(Uia::free)>(ole, "SysFreeString")};
    }();
    return uia;
}

}  // namespace

void Announcer::Say(HWND window, std::wstring_view phrase) const {
    const Uia& uia = Functions();
    if (!uia.listening || !uia.host || !uia.raise || !uia.allocate || !uia.free || !uia.listening()) return;
    IUnknown* provider = nullptr;
    if (FAILED(uia.host(window, &provider)) || !provider) return;
    // A screen reader that misses one phrase hears the next; a failure is not worth more.
    const BSTR text = uia.allocate(phrase.data(), static_cast<UINT>(phrase.size()));
    const BSTR activity = uia.allocate(kActivity.data(), static_cast<UINT>(kActivity.size()));
    if (text && activity) uia.raise(provider, kActionCompleted, kImportantMostRecent, text, activity);
    uia.free(text);
    uia.free(activity);
    provider->Release();
}

}  // namespace zarnik::win32
