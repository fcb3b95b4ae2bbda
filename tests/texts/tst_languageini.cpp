#include "languageini.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_LanguageIni : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void textMode_data();
    void textMode();
    void missingFileIsNeverCreated();
    void keys();

private:
    void writeIni(const QByteArray &content);

    QTemporaryDir dir;
    QString previousDir;
};

void tst_LanguageIni::init()
{
    QVERIFY(dir.isValid());
    previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    QFile::remove(QStringLiteral("language.ini"));
}

void tst_LanguageIni::cleanup()
{
    QDir::setCurrent(previousDir);
}

void tst_LanguageIni::writeIni(const QByteArray &content)
{
    QFile file(QStringLiteral("language.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void tst_LanguageIni::textMode_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("iniTextMode");

    QTest::newRow("EN") << QByteArray("[LANGUAGE]\nTYPE=EN\n") << true;
    QTest::newRow("spaces around =") << QByteArray("[LANGUAGE]\nTYPE = EN\n") << true;
    QTest::newRow("en") << QByteArray("[LANGUAGE]\nTYPE=en\n") << false;
    QTest::newRow("quoted leading space") << QByteArray("[LANGUAGE]\nTYPE=\" EN\"\n") << false;
    QTest::newRow("ENG") << QByteArray("[LANGUAGE]\nTYPE=ENG\n") << false;
    QTest::newRow("CN") << QByteArray("[LANGUAGE]\nTYPE=CN\n") << false;
    QTest::newRow("key missing") << QByteArray("[LANGUAGE]\nKIND=EN\n") << false;
    QTest::newRow("other group") << QByteArray("[LANG]\nTYPE=EN\n") << false;
    QTest::newRow("empty file") << QByteArray() << false;
}

void tst_LanguageIni::textMode()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, iniTextMode);
    writeIni(ini);
    QCOMPARE(LanguageIni().iniTextMode(), iniTextMode);
}

void tst_LanguageIni::missingFileIsNeverCreated()
{
    {
        const LanguageIni ini;
        QVERIFY(!ini.iniTextMode());
        QCOMPARE(ini.text(QStringLiteral("/HOVER_TIPS/OPEN")), QString());
        QVERIFY(!ini.contains(QStringLiteral("/LANGUAGE/TYPE")));
    }
    QVERIFY(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

void tst_LanguageIni::keys()
{
    writeIni("[LANGUAGE]\nTYPE=EN\n"
             "[HOVER_TIPS]\nOPEN=Open a menu file\nSAVE=\n"
             "[LHINTS]\nLHINT_FILE_SAVED=Saved, at last\n"
             "LHINT_DRUG_DELETE=\"<b>Gone</b>, cleared\"\n"
             "[EDIT_DIALOG]\nDRUGNAME=\xe8\x8f\x9c\xe5\x90\x8d\n");
    const QByteArray before = [] {
        QFile file(QStringLiteral("language.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    {
        const LanguageIni ini;
        QCOMPARE(ini.text(QStringLiteral("/HOVER_TIPS/OPEN")), QStringLiteral("Open a menu file"));
        QVERIFY(ini.contains(QStringLiteral("/HOVER_TIPS/SAVE")));
        QCOMPARE(ini.text(QStringLiteral("/HOVER_TIPS/SAVE")), QString());
        QVERIFY(!ini.contains(QStringLiteral("/HOVER_TIPS/EDIT")));
        QCOMPARE(ini.text(QStringLiteral("/HOVER_TIPS/EDIT")), QString());
        // An unquoted comma must not swallow the text.
        QCOMPARE(ini.text(QStringLiteral("/LHINTS/LHINT_FILE_SAVED")),
                 QStringLiteral("Saved, at last"));
        QCOMPARE(ini.text(QStringLiteral("/LHINTS/LHINT_DRUG_DELETE")),
                 QStringLiteral("<b>Gone</b>, cleared"));
        QCOMPARE(ini.text(QStringLiteral("/EDIT_DIALOG/DRUGNAME")), QStringLiteral("菜名"));
    }
    QFile file(QStringLiteral("language.ini"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

QTEST_GUILESS_MAIN(tst_LanguageIni)
#include "tst_languageini.moc"
