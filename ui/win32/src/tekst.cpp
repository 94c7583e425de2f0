#include "tekst.h"

#include "kroppstall/win32/hovedvindu.h"
#include "senbinding.h"

namespace kroppstall::win32 {

std::wstring Bred(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring ut(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), ut.data(), n);
    return ut;
}

std::string Utf8(std::wstring_view tekst) {
    if (tekst.empty()) {
        return {};
    }
    const int n = WideCharToMultiByte(CP_UTF8, 0, tekst.data(), static_cast<int>(tekst.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string ut(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, tekst.data(), static_cast<int>(tekst.size()), ut.data(), n, nullptr,
                        nullptr);
    return ut;
}

namespace {

using GetLocaleInfoExType = int(WINAPI*)(LPCWSTR, LCTYPE, LPWSTR, int);

// The user's separators through GetLocaleInfoEx when it is given, else through GetLocaleInfoW.
NumberFormat LesTallformat(GetLocaleInfoExType getLocaleInfoEx) {
    const auto les = [getLocaleInfoEx](LCTYPE hva, const char* standard) {
        wchar_t buffer[16] = {};
        // nullptr is LOCALE_NAME_USER_DEFAULT, which the XP headers do not declare.
        const int n = getLocaleInfoEx != nullptr ? getLocaleInfoEx(nullptr, hva, buffer, 16)
                                                 : GetLocaleInfoW(LOCALE_USER_DEFAULT, hva, buffer, 16);
        return n > 1 ? Utf8(std::wstring_view(buffer, static_cast<std::size_t>(n - 1)))
                     : std::string(standard);
    };
    return {les(LOCALE_SDECIMAL, "."), les(LOCALE_STHOUSAND, ",")};
}

} // namespace

NumberFormat Tallformat() {
    // GetLocaleInfoEx (Vista and later) also reads a user locale that has no LCID; Windows XP lacks it
    // and has GetLocaleInfoW, so the newer one is looked up, not imported: the program loads on XP.
    static const auto getLocaleInfoEx = FinnFunksjon<GetLocaleInfoExType>(L"kernel32.dll", "GetLocaleInfoEx");
    return LesTallformat(getLocaleInfoEx);
}

NumberFormat TallformatXp() {
    return LesTallformat(nullptr);
}

} // namespace kroppstall::win32
