#include "senbinding.h"
#include "skjemavindu.h"
#include "tekst.h"

#include <cstdint>

namespace kroppstall::win32 {

namespace {

using ShellExecuteWType = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

// Shell32 is bound on the first launch, not when the program loads.
ShellExecuteWType FinnShellExecute() {
    static ShellExecuteWType f = nullptr;
    if (f == nullptr) {
        f = KrevFunksjon<ShellExecuteWType>(L"Shell32.dll", "ShellExecuteW");
    }
    return f;
}

} // namespace

// The wide entry point: the address and the URL reach the shell as they are, with no trip through
// the ANSI code page.
void Skjemavindu::ApneEpost(form::Vindushandtak eier, std::string_view url,
                            std::function<void(bool)> ferdig) {
    const auto resultat = reinterpret_cast<INT_PTR>(FinnShellExecute()(
        reinterpret_cast<HWND>(eier), nullptr, Bred(url).c_str(), nullptr, L"", SW_SHOWNORMAL));
    ferdig(static_cast<std::int32_t>(resultat) > 32);
}

void Skjemavindu::ApneNettside(std::string_view url) {
    static_cast<void>(
        FinnShellExecute()(nullptr, nullptr, Bred(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

} // namespace kroppstall::win32
