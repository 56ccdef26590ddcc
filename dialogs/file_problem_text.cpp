#include "dialogs/file_problem_text.h"

#include "device/shown_text.h"
#include "dialogs/not_taken.h"
#include "dialogs/setting_controls.h"
#include "settings/serial_port.h"
#include "settings_file/file_fields.h"
#include "settings_file/settings_file.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

// The context of this file's texts in the translations.
class Texts {
    Q_DECLARE_TR_FUNCTIONS(FileProblem)
};

// Text from the file (a key, a value), escaped and clipped.
QString fromFile(const std::string& text)
{
    return QString::fromStdString(shown::fromUtf8(shown::clipped(text)));
}

// The TOML parser's own words, escaped.
QString parserText(const std::string& text)
{
    return QString::fromStdString(shown::fromUtf8(text));
}

// A known key by the label of its field as its dialog's form shows it; an
// unknown one as written.
QString keyText(const std::string& key)
{
    return settings::file::findField(key) != nullptr ? keyLabel(key) : fromFile(key);
}

// A list as the user's language writes one.
QString listOf(const QStringList& items)
{
    return items.join(Texts::tr(", "));
}

QString withUnit(std::int64_t number, const std::string& unit)
{
    if (unit == "ms") return Texts::tr("%1 ms").arg(number);
    if (unit == "s") return Texts::tr("%1 s").arg(number);
    if (unit == "bits") return Texts::tr("%1 bits").arg(number);
    return QString::number(number);
}

QStringList modeNames()
{
    QStringList names;
    for (const char* name : settings::file::ModeNames) names << QString::fromLatin1(name);
    return names;
}

QString valueText(const QString& label, const settings::ValueProblem& p)
{
    using Kind = settings::ValueProblem::Kind;
    using Type = settings::ValueProblem::Type;
    switch (p.kind) {
    case Kind::NotUtf8:
        return Texts::tr("%1 is not UTF-8 text: it holds the byte %2; give the text in UTF-8.")
            .arg(label, QStringLiteral("0x%1").arg(QString::number(p.given & 0xFF, 16).toUpper(), 2, QLatin1Char('0')));
    case Kind::NotLatin1:
        return Texts::tr("%1 holds a character the adapter cannot keep: it keeps Latin-1, one byte per character.")
            .arg(label);
    case Kind::NotAMode:
        return Texts::tr("%1: \"%2\" is not one of %3.").arg(label, fromFile(p.text), listOf(modeNames()));
    case Kind::HoldsNul: return Texts::tr("%1 holds a NUL character.").arg(label);
    case Kind::TooLong:
        return Texts::tr("%1 is %2 characters long; the adapter keeps at most %3.").arg(label).arg(p.given).arg(p.most);
    case Kind::OutOfRange:
        if (p.wireMost != p.most)
            return Texts::tr("%1: %2 is outside 0 to %3; the adapter holds at most %4.")
                .arg(label, withUnit(p.given, p.unit), withUnit(p.most, p.unit), withUnit(p.wireMost, p.unit));
        return Texts::tr("%1: %2 is outside 0 to %3.").arg(label, withUnit(p.given, p.unit), withUnit(p.most, p.unit));
    case Kind::NotAStep:
        return Texts::tr("%1: %2 is not a multiple of %3; the adapter keeps it in steps of %3.")
            .arg(label)
            .arg(p.given)
            .arg(p.step);
    case Kind::NotABaudRate: {
        QStringList rates;
        for (const std::uint8_t code : settings::BaudCodes) rates << QString::number(code * 100);
        return Texts::tr("%1: %2 is not one of %3.").arg(label, QString::number(p.given), listOf(rates));
    }
    case Kind::NotAByte: return Texts::tr("%1: %2 is outside 00 to FF.").arg(label).arg(p.given);
    case Kind::ModeCode:
        return Texts::tr("%1: code %2 has no button; give one of %3.")
            .arg(label, QString::number(p.given), listOf(modeNames()));
    case Kind::WrongType: break;
    }
    if (p.expected == Type::Switch) return Texts::tr("%1 wants true or false.").arg(label);
    if (p.expected == Type::Text) return Texts::tr("%1 wants a text in quotes.").arg(label);
    return Texts::tr("%1 wants a whole number.").arg(label);
}

}  // namespace

QString fileProblemText(const settings::FileProblem& problem)
{
    using Kind = settings::FileProblem::Kind;
    const QString known = QString::number(settings::FileFormatVersion);
    switch (problem.kind) {
    case Kind::Syntax: break;
    case Kind::TooDeep:
        return Texts::tr("A key or table name has more than %1 dotted parts; a settings key has two.")
            .arg(problem.number);
    case Kind::FormatMissing: return Texts::tr("The format line is missing: a settings file begins with format = 1.");
    case Kind::FormatNotANumber: return Texts::tr("The format is not a whole number.");
    case Kind::FormatNewer:
        return Texts::tr("Format %1 is written by a newer program; this program reads format %2.")
            .arg(QString::number(problem.number), known);
    case Kind::FormatUnknown:
        return Texts::tr("Format %1 is unknown; this program reads format %2.")
            .arg(QString::number(problem.number), known);
    case Kind::UnknownTable: return Texts::tr("Unknown table or key %1.").arg(fromFile(problem.key));
    case Kind::NotATable: {
        const auto group = settings::groupNamed(problem.key);
        return Texts::tr("%1 must be a table.").arg(group ? groupTitle(*group) : fromFile(problem.key));
    }
    case Kind::UnknownKey: return Texts::tr("Unknown key %1.").arg(fromFile(problem.key));
    case Kind::GpsKeysApart: {
        QStringList labels;
        for (const settings::file::Field& f : settings::file::fields())
            if (f.kind == settings::file::Kind::GpsBit) labels << keyText(settings::file::fullKey(f));
        return Texts::tr("%1 are one setting of the adapter: give all six or none.").arg(listOf(labels));
    }
    case Kind::Value: return valueText(keyText(problem.key), problem.value);
    case Kind::NotUtf8: return valueText(Texts::tr("The file"), problem.value);
    case Kind::NotAValue:
        return Texts::tr("%1: not a value (%2).").arg(keyText(problem.key), parserText(problem.detail));
    case Kind::MoreThanOneValue: return Texts::tr("%1: more than one value.").arg(keyText(problem.key));
    case Kind::GpsNotRead:
        return Texts::tr("%1: the GPS keys are one setting of the adapter, and it was not read.")
            .arg(keyText(problem.key));
    }
    // The parser's description is English and names no kind of problem:
    // the desktop program says where it stopped.
    return Texts::tr("The file is not TOML from column %1 of this line on.").arg(problem.column);
}
