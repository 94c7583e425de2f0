#include "kroppstall/form/erstatninger.h"
#include "skjemavindu.h"
#include "tekst.h"

namespace kroppstall::win32 {

// The named face where installed; otherwise the closest stand-in that Windows ships, since a face
// that only some systems have cannot be counted on.
HFONT Skjemavindu::Skrift(const form::Skrift& skrift) {
    const std::wstring onsket = Bred(skrift.Familie);
    const int tiendeler = static_cast<int>(skrift.Storrelse * 100.0 + 0.5);
    const std::wstring nokkel = onsket + L"/" + std::to_wstring(tiendeler);
    if (const auto f = skrifter_.find(nokkel); f != skrifter_.end()) {
        return f->second;
    }
    const auto lag = [&](const std::wstring& familie) {
        return CreateFontW(-MulDiv(tiendeler, dpi_, 7200), 0, 0, 0, skrift.Vekt, FALSE, FALSE, FALSE,
                           static_cast<DWORD>(skrift.Tegnsett), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, familie.c_str());
    };
    const auto faktisk = [](HFONT f) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ gammel = SelectObject(dc, f);
        wchar_t navn[LF_FACESIZE] = {};
        GetTextFaceW(dc, LF_FACESIZE, navn);
        SelectObject(dc, gammel);
        ReleaseDC(nullptr, dc);
        return std::wstring(navn);
    };
    HFONT f = lag(onsket);
    if (lstrcmpiW(faktisk(f).c_str(), onsket.c_str()) != 0) {
        for (const form::Erstatning& e : form::Erstatninger(skrift.Familie)) {
            if (!e.FolgerMedWindows) {
                continue;
            }
            const std::wstring naer = Bred(e.Familie);
            HFONT g = lag(naer);
            if (lstrcmpiW(faktisk(g).c_str(), naer.c_str()) == 0) {
                DeleteObject(f);
                f = g;
                break;
            }
            DeleteObject(g);
        }
    }
    skrifter_[nokkel] = f;
    return f;
}

} // namespace kroppstall::win32
