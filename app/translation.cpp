#include "app/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <vector>

namespace {

// The locale C itself, under either of its names: gettext ignores LANGUAGE
// there and nowhere else. C.UTF-8 is another locale, which does not.
bool isCLocale(const QByteArray& name)
{
    return name == "C" || name == "POSIX";
}

// The program's translations: share/brisel-setting/translations beside the
// program's bin folder, which holds in an installed tree and in the build
// tree alike.
QString programTranslations()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../share/brisel-setting/translations");
}

std::vector<std::unique_ptr<QTranslator>>& installed()
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

}  // namespace

QStringList desktopLanguages(const std::function<QByteArray(const char*)>& environment)
{
    QByteArray messages;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        messages = environment(variable);
        if (!messages.isEmpty()) break;
    }
    if (messages.isEmpty() || isCLocale(messages)) return {};
    QStringList languages;
    // An entry C in the list stands for the untranslated texts, English.
    for (const QByteArray& entry : environment("LANGUAGE").split(':'))
        if (!entry.isEmpty()) languages << (isCLocale(entry) ? QStringLiteral("en") : QString::fromLatin1(entry));
    // C.UTF-8 and the like name no language: the untranslated texts.
    if (languages.isEmpty() && !messages.startsWith("C.")) languages << QString::fromLatin1(messages);
    return languages;
}

QString installTranslations(const QStringList& languages)
{
    for (const auto& translator : installed()) QCoreApplication::removeTranslator(translator.get());
    installed().clear();
    for (const QString& language : languages) {
        const QLocale locale(language);
        if (locale.language() == QLocale::English) return {};
        auto own = std::make_unique<QTranslator>();
        if (!own->load(locale, QStringLiteral("brisel-setting"), QStringLiteral("_"), programTranslations())) continue;
        // Qt's own texts (OK, Yes, No, the file chooser), when the system
        // has them.
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt.get());
            installed().push_back(std::move(qt));
        }
        QCoreApplication::installTranslator(own.get());
        QString chosen = own->language();
        installed().push_back(std::move(own));
        return chosen;
    }
    return {};
}
