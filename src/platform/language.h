#pragma once

#include <QStringList>
#include <QTranslator>

#include <memory>

namespace qelvo
{

// The languages the interface speaks. Japanese is the program's own (the
// source texts); English stands for every language without a translation.
enum class UiLanguage { Japanese, English };

// The language for the user's interface languages, most preferred first (as
// QLocale::uiLanguages gives them): Japanese for "ja", for the C/POSIX locale
// and for none at all, English for everything else.
[[nodiscard]] UiLanguage chooseUiLanguage(const QStringList &uiLanguages);

// The translations of one language installed into the running application
// for as long as this lives: Qelvo's own English texts (embedded in the
// program), or Qt's own Japanese texts (qtbase_ja.qm from Qt's translations
// folder) so that its standard buttons and menus match Qelvo's texts.
class Translations
{
public:
    explicit Translations(UiLanguage language);
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    [[nodiscard]] UiLanguage language() const { return m_language; }
    // Whether the catalogue the language needs was found and installed.
    [[nodiscard]] bool loaded() const { return m_installed; }

private:
    UiLanguage m_language;
    std::unique_ptr<QTranslator> m_translator;
    bool m_installed = false;
};

// The embedded catalogue of Qelvo's own English texts.
inline constexpr const char *kEnglishCatalogue = ":/i18n/qelvo_en.qm";

} // namespace qelvo
