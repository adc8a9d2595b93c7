#include "lang/language.h"

#include "text/ascii.h"

namespace lang {

namespace {
constexpr unsigned kPrimaryChinese = 0x04;
constexpr std::string_view kLangSwitch = "/lang:";
} // namespace

Language FromLangId(unsigned langId) {
    return (langId & 0x3FF) == kPrimaryChinese ? Language::Chinese : Language::English;
}

std::optional<Language> FromWord(std::string_view word) {
    if (text::SameName(word, "zh")) return Language::Chinese;
    if (text::SameName(word, "en")) return Language::English;
    return std::nullopt;
}

Language FromLocale(std::string_view locale) {
    return text::SameName(locale.substr(0, 2), "zh") ? Language::Chinese : Language::English;
}

std::optional<Language> FromCommandLine(std::string_view commandLine) {
    std::optional<Language> chosen;
    std::size_t start = 0;
    while (start < commandLine.size()) {
        const std::size_t end = std::min(commandLine.find_first_of(" \t", start), commandLine.size());
        const std::string_view word = commandLine.substr(start, end - start);
        if (word.size() > kLangSwitch.size() && text::SameName(word.substr(0, kLangSwitch.size()), kLangSwitch)) {
            if (const auto language = FromWord(word.substr(kLangSwitch.size()))) chosen = language;
        }
        start = end + 1;
    }
    return chosen;
}

} // namespace lang
