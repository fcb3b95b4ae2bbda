#include "languageini.h"

#include <QStringList>

LanguageIni::LanguageIni() : settings(QStringLiteral("language.ini"), QSettings::IniFormat) {}

bool LanguageIni::iniTextMode() const
{
    return text(QStringLiteral("/LANGUAGE/TYPE")) == QLatin1String("EN");
}

QString LanguageIni::text(const QString &key) const
{
    const QVariant value = settings.value(key);
    // The INI reader splits an unquoted value at its commas; a hint such as
    // "Saved, done" must still come back whole rather than empty.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool LanguageIni::contains(const QString &key) const
{
    return settings.contains(key);
}
