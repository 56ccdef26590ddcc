// The translations of the desktop program: which one the desktop's
// environment chooses, and that each is complete and fits the texts as
// they are now. For the last, lupdate brings a copy of each .ts file up to
// date with the sources, as the update_translations target does; then every
// entry must be finished and still in use, and keep the placeholders and
// the accelerator of its source text.

#include "app/translation.h"
#include "device/adapter_connection.h"
#include "dialogs/adapter_action.h"
#include "tests/support/dialog_helpers.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

struct Environment {
    std::map<std::string, std::string> variables;
    QStringList languages;
};

TEST(Translations, FollowTheDesktopsLanguageVariablesAsGettextDoes)
{
    const Environment cases[] = {
        {{}, {}},
        {{{"LANGUAGE", "ja"}}, {}},  // no locale is the locale C
        // Only the locale C itself (POSIX is its other name) makes gettext
        // ignore LANGUAGE; C.UTF-8 is a locale of its own.
        {{{"LANG", "C"}, {"LANGUAGE", "ja"}}, {}},
        {{{"LANG", "POSIX"}, {"LANGUAGE", "ja"}}, {}},
        {{{"LANG", "C.UTF-8"}, {"LANGUAGE", "ja"}}, {"ja"}},
        {{{"LC_ALL", "C.UTF-8"}, {"LANGUAGE", "de:ja"}}, {"de", "ja"}},
        {{{"LANG", "C.UTF-8"}}, {}},
        {{{"LANG", "ja_JP.UTF-8"}}, {"ja_JP.UTF-8"}},
        {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "de_DE.UTF-8"}}, {"de_DE.UTF-8"}},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_ALL", "POSIX"}}, {}},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_ALL", "C"}, {"LANGUAGE", "ja"}}, {}},
        {{{"LANG", "ja_JP.UTF-8"}, {"LC_ALL", "C.UTF-8"}, {"LANGUAGE", "de"}}, {"de"}},
        // An entry C (or POSIX) in the list means the untranslated texts:
        // the search ends there, in English.
        {{{"LANG", "en_GB.UTF-8"}, {"LANGUAGE", "de:ja::C"}}, {"de", "ja", "en"}},
        {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "C:ja"}}, {"en", "ja"}},
    };
    for (const Environment& c : cases) {
        const auto environment = [&c](const char* name) {
            const auto found = c.variables.find(name);
            return found == c.variables.end() ? QByteArray() : QByteArray::fromStdString(found->second);
        };
        EXPECT_EQ(desktopLanguages(environment), c.languages) << c.languages.join(':').toStdString();
    }
}

TEST(Translations, TheFirstLanguageWithATranslationWinsAndEnglishNeedsNone)
{
    const std::pair<QStringList, QString> cases[] = {
        {{"ja_JP.UTF-8"}, "ja_JP"}, {{"fr_FR", "de_AT"}, "de_DE"}, {{"en_GB", "ja"}, ""}, {{"fr"}, ""}, {{}, ""}};
    for (const auto& [languages, chosen] : cases) {
        EXPECT_EQ(installTranslations(languages), chosen) << languages.join(':').toStdString();
        // The adapter's fixed texts are found under their own words. Qt's
        // own texts come with the same language.
        using Kind = AdapterProblem::Kind;
        for (const auto& [kind, text] :
             {std::pair{Kind::NotFound, NotFoundText}, std::pair{Kind::NoPermission, NoPermissionText},
              std::pair{Kind::NodeMissing, NodeMissingText}, std::pair{Kind::Lost, LostText}})
            EXPECT_EQ(adapterText({kind}) == QString::fromUtf8(text), chosen.isEmpty()) << text;
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&No") == QLatin1String("&No"), chosen.isEmpty());
    }
}

std::set<QString> placeholdersOf(const QString& text)
{
    std::set<QString> found;
    for (const auto& match : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        found.insert(match.captured());
    return found;
}

class TranslationFile : public testing::TestWithParam<const char*> {};

TEST_P(TranslationFile, IsCompleteCurrentAndKeepsPlaceholdersAndAccelerators)
{
    const QString language = QString::fromLatin1(GetParam());
    QTemporaryDir work;
    const QString copy = work.filePath(QStringLiteral("brisel-setting_%1.ts").arg(language));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(BRISEL_SOURCE_DIR "/translations/brisel-setting_%1.ts").arg(language), copy));
    QProcess lupdate;
    lupdate.start(QStringLiteral(BRISEL_LUPDATE), {"-locations", "none", "-silent", BRISEL_SOURCE_DIR "/app",
                                                   BRISEL_SOURCE_DIR "/dialogs", "-ts", copy});
    ASSERT_TRUE(lupdate.waitForFinished(60000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader ts(&file);
    QString source;
    int messages = 0;
    while (!ts.atEnd()) {
        if (ts.readNext() != QXmlStreamReader::StartElement) continue;
        if (ts.name() == QLatin1String("source")) source = ts.readElementText();
        if (ts.name() != QLatin1String("translation")) continue;
        ++messages;
        const QString type = ts.attributes().value("type").toString();
        const QString translation = ts.readElementText();
        SCOPED_TRACE(source.toStdString());
        EXPECT_TRUE(type.isEmpty()) << type.toStdString();  // unfinished, vanished or obsolete
        EXPECT_FALSE(translation.isEmpty());
        EXPECT_EQ(placeholdersOf(translation), placeholdersOf(source));
        // Japanese sets no blank after "。", before a particle after a
        // placeholder.
        static const QRegularExpression blankJa(QStringLiteral("。 |%\\d [はをにがの]"));
        EXPECT_FALSE(language == QLatin1String("ja") && blankJa.match(translation).hasMatch())
            << translation.toStdString();
        // Japanese adds the key as "(&S)"; German marks a letter of its own
        // word, the same letter where the word has it.
        const QChar key = dlg::acceleratorOf(source);
        QChar expected = key;
        if (!key.isNull() && language == QLatin1String("ja")) {
            EXPECT_TRUE(translation.contains(QStringLiteral("(&%1)").arg(key))) << translation.toStdString();
        } else if (!key.isNull() && !translation.contains(key, Qt::CaseInsensitive)) {
            expected = dlg::acceleratorOf(translation);  // another letter, free in its menu
            EXPECT_FALSE(expected.isNull()) << translation.toStdString();
        }
        EXPECT_EQ(dlg::acceleratorOf(translation), expected) << translation.toStdString();
    }
    EXPECT_FALSE(ts.hasError()) << ts.errorString().toStdString();
    EXPECT_GT(messages, 100);
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationFile, testing::Values("ja", "de"));

}  // namespace
