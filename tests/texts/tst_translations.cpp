#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

#include <memory>
#include <vector>

namespace {

struct Message
{
    QString context;
    QString source;
    QString comment;
    QString translation;
    QString translationType; // "", "unfinished", "vanished", "obsolete"
};

QString describe(const Message &message)
{
    return message.context + QLatin1String(": \"") + message.source + QLatin1Char('"');
}

bool readTs(const QString &path, std::vector<Message> &messages, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + QLatin1String(": ") + file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("TS")) {
            if (xml.attributes().value(QLatin1String("language")) != QLatin1String("zh_CN")) {
                error = path + QLatin1String(": language is not zh_CN");
                return false;
            }
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message{context, {}, {}, {}, {}};
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            message.comment = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.translationType = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            messages.push_back(message);
        }
    }
    if (xml.hasError()) {
        error = path + QLatin1String(": ") + xml.errorString();
        return false;
    }
    return true;
}

bool isLive(const Message &message)
{
    return message.translationType != QLatin1String("vanished") &&
           message.translationType != QLatin1String("obsolete");
}

QStringList tsFiles()
{
    const QDir i18n(QStringLiteral(MORVEX_SOURCE_DIR "/src/texts/i18n"));
    QStringList files;
    for (const QString &name : i18n.entryList({QStringLiteral("*_zh.ts")}, QDir::Files))
        files << i18n.filePath(name);
    return files;
}

} // namespace

// The Chinese edition is complete only if every text the sources pass to
// tr() has a finished translation that made it into the program.
class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyModuleHasItsFile();
    void noUnfinishedTranslation();
    void everySourceTextIsTranslated();
    void compiledTranslationsMatch();

private:
    std::vector<Message> committed;
    std::vector<Message> scanned;
};

void tst_Translations::initTestCase()
{
    QString error;
    for (const QString &file : tsFiles())
        QVERIFY2(readTs(file, committed, error), qPrintable(error));

    // Scan the sources as they are now, not as the .ts files remember them.
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString scannedTs = scratch.filePath(QStringLiteral("scan_zh.ts"));
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(MORVEX_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-target-language"), QStringLiteral("zh_CN"),
                   QStringLiteral(MORVEX_SOURCE_DIR "/src"), QStringLiteral("-ts"), scannedTs});
    QVERIFY2(lupdate.waitForFinished(120000), "lupdate did not finish");
    QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
             lupdate.readAll().constData());
    QVERIFY2(readTs(scannedTs, scanned, error), qPrintable(error));
}

void tst_Translations::everyModuleHasItsFile()
{
    QStringList names;
    for (const QString &file : tsFiles())
        names << QFileInfo(file).fileName();
    for (const char *module : {"widgets", "editdialog", "mainwindow"})
        QVERIFY2(names.contains(QLatin1String(module) + QLatin1String("_zh.ts")), module);
}

void tst_Translations::noUnfinishedTranslation()
{
    QStringList faults;
    for (const Message &message : committed) {
        if (!isLive(message))
            continue;
        if (message.translationType == QLatin1String("unfinished"))
            faults << QLatin1String("unfinished ") + describe(message);
        else if (message.translation.trimmed().isEmpty())
            faults << QLatin1String("empty ") + describe(message);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void tst_Translations::everySourceTextIsTranslated()
{
    QSet<QString> translated;
    for (const Message &message : committed) {
        if (isLive(message) && message.translationType.isEmpty() &&
            !message.translation.trimmed().isEmpty())
            translated.insert(message.context + QChar(0) + message.source + QChar(0) +
                              message.comment);
    }
    QStringList missing;
    for (const Message &message : scanned) {
        const QString key =
            message.context + QChar(0) + message.source + QChar(0) + message.comment;
        if (!translated.contains(key))
            missing << describe(message);
    }
    QVERIFY2(missing.isEmpty(), qPrintable(QLatin1String("no Chinese translation for:\n") +
                                           missing.join(QLatin1Char('\n'))));
    QVERIFY2(!scanned.empty(), "lupdate found no texts at all");
}

void tst_Translations::compiledTranslationsMatch()
{
    std::vector<std::unique_ptr<QTranslator>> translators;
    const QDir i18n(QStringLiteral(":/i18n"));
    for (const QString &name : i18n.entryList({QStringLiteral("*_zh.qm")}, QDir::Files)) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(i18n.filePath(name)))
            translators.push_back(std::move(translator));
    }
    QStringList stale;
    for (const Message &message : scanned) {
        QString found;
        for (const auto &translator : translators) {
            const QByteArray context = message.context.toUtf8();
            const QByteArray source = message.source.toUtf8();
            const QByteArray comment = message.comment.toUtf8();
            found = translator->translate(context.constData(), source.constData(),
                                          comment.isEmpty() ? nullptr : comment.constData());
            if (!found.isEmpty())
                break;
        }
        if (found.isEmpty())
            stale << describe(message);
    }
    QVERIFY2(stale.isEmpty(), qPrintable(QLatin1String("not in the linked translations:\n") +
                                         stale.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_translations.moc"
