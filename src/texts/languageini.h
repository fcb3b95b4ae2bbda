#pragma once

#include <QSettings>
#include <QString>

// language.ini in the working directory, through which an installation can
// replace some texts. It is only ever read, and only when /LANGUAGE/TYPE is
// exactly "EN" do its other keys count. Read it when a window is built, so
// a changed file applies to every window created afterwards.
class LanguageIni
{
public:
    LanguageIni();

    bool iniTextMode() const;
    // The value of a key such as "/LHINTS/LHINT_FILE_SAVED"; empty when missing.
    QString text(const QString &key) const;
    bool contains(const QString &key) const;

private:
    QSettings settings;
};
