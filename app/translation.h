#pragma once
// The language of the windows: the one the desktop asks for, when the
// program has a translation for it; English, the language the texts are
// written in, otherwise.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// The languages the desktop asks for, the most wanted first, read as gettext
// reads them: the list in LANGUAGE (an entry C or POSIX standing for English),
// unless the locale of messages (LC_ALL, else LC_MESSAGES, else LANG) is the
// locale C itself (C or POSIX, not C.UTF-8); without LANGUAGE that locale
// alone. Empty under C, POSIX or no locale at all.
QStringList desktopLanguages(const std::function<QByteArray(const char*)>& environment = qgetenv);

// Installs the program's and Qt's translations for the first of `languages`
// the program has a translation for; an English entry before it, or none
// found, means English, which needs none. Translations installed by an
// earlier call are removed first. Returns the language of the translation chosen (e.g. "ja_JP"),
// or an empty text for English.
QString installTranslations(const QStringList& languages);
