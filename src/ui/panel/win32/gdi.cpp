#include "ui/panel/win32/gdi.h"

namespace win32 {

namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0; // one is enough
}

bool FaceInstalled(const wchar_t* face) {
    WindowDc screen(nullptr);
    if (screen.get() == nullptr) return false;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(screen.get(), &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

const wchar_t* EnglishFace() {
    static const wchar_t* const face = FaceInstalled(L"Segoe UI") ? L"Segoe UI" : L"Tahoma";
    return face;
}

} // namespace

Font CreateUiFont(lang::Language language, int decipoints, bool bold, int dpi) {
    const int height = -MulDiv(decipoints, dpi, 720);
    const bool chinese = language == lang::Language::Chinese;
    return Font(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                            chinese ? GB2312_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, chinese ? L"宋体" : EnglishFace()));
}

int ScreenDpi() {
    WindowDc screen(nullptr);
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return dpi > 0 ? dpi : 96;
}

} // namespace win32
