#include "platform/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QRegularExpression>

namespace qelvo
{

UiLanguage chooseUiLanguage(const QStringList &uiLanguages)
{
    if (uiLanguages.isEmpty())
        return UiLanguage::Japanese;
    // "ja", "ja-JP", "ja_JP.UTF-8", "C.UTF-8": the language comes before the rest.
    const QString first = uiLanguages.front().toLower();
    const QString language = first.left(first.indexOf(QRegularExpression(QStringLiteral("[-_.@]"))));
    if (language.isEmpty() || language == QLatin1String("ja") || language == QLatin1String("c") ||
        language == QLatin1String("posix"))
        return UiLanguage::Japanese;
    return UiLanguage::English;
}

Translations::Translations(UiLanguage language) : m_language(language), m_translator(new QTranslator)
{
    const bool found = language == UiLanguage::English
                           ? m_translator->load(QLatin1String(kEnglishCatalogue))
                           : m_translator->load(QStringLiteral("qtbase_ja"),
                                                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Without its catalogue a language still works: Qelvo's texts stay Japanese, Qt's English.
    m_installed = found && QCoreApplication::installTranslator(m_translator.get());
}

Translations::~Translations()
{
    if (m_installed)
        QCoreApplication::removeTranslator(m_translator.get());
}

} // namespace qelvo
