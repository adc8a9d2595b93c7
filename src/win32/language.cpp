#include "win32/language.h"

#include <windows.h>

namespace win32 {

lang::Language UserUiLanguage() {
    return lang::FromLangId(GetUserDefaultUILanguage());
}

} // namespace win32
