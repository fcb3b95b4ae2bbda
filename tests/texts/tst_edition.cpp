#include "edition.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

Q_DECLARE_METATYPE(Edition)

class tst_Edition : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void englishByDefault();
    void translationsAreLinkedIn_data();
    void translationsAreLinkedIn();
    void switchesBothWays();
    void layout_data();
    void layout();
};

void tst_Edition::cleanup()
{
    setEdition(Edition::English);
}

void tst_Edition::englishByDefault()
{
    QCOMPARE(currentEdition(), Edition::English);
    QCOMPARE(QCoreApplication::translate("ESelfDeleteHintBox", "File Saved!"),
             QStringLiteral("File Saved!"));
}

void tst_Edition::translationsAreLinkedIn_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("widgets") << QStringLiteral(":/i18n/widgets_zh.qm");
    QTest::newRow("editdialog") << QStringLiteral(":/i18n/editdialog_zh.qm");
    QTest::newRow("mainwindow") << QStringLiteral(":/i18n/mainwindow_zh.qm");
}

void tst_Edition::translationsAreLinkedIn()
{
    QFETCH(QString, file);
    QVERIFY2(QFile::exists(file), qPrintable(file));
}

void tst_Edition::switchesBothWays()
{
    QVERIFY(setEdition(Edition::Chinese));
    QCOMPARE(currentEdition(), Edition::Chinese);
    QCOMPARE(QCoreApplication::translate("ESelfDeleteHintBox", "File Saved!"),
             QStringLiteral("文件已保存！"));
    // Switching again must not stack a second set of translators.
    QVERIFY(setEdition(Edition::Chinese));
    QVERIFY(setEdition(Edition::English));
    QCOMPARE(currentEdition(), Edition::English);
    QCOMPARE(QCoreApplication::translate("ESelfDeleteHintBox", "File Saved!"),
             QStringLiteral("File Saved!"));
}

void tst_Edition::layout_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<int>("titleY");
    QTest::addColumn<int>("captionX");
    QTest::addColumn<int>("totalTagX");
    QTest::addColumn<QList<int>>("hintWidths"); // ids -1, 0, 11, 12, 13, 14, 15, 16

    QTest::newRow("English") << Edition::English << 35 << 20 << 270
                             << QList<int>{380, 380, 380, 540, 500, 640, 380, 380};
    QTest::newRow("Chinese") << Edition::Chinese << 37 << 14 << 255
                             << QList<int>{380, 380, 380, 640, 640, 640, 380, 380};
}

void tst_Edition::layout()
{
    QFETCH(Edition, edition);
    QFETCH(int, titleY);
    QFETCH(int, captionX);
    QFETCH(int, totalTagX);
    QFETCH(QList<int>, hintWidths);

    QVERIFY(setEdition(edition));
    QCOMPARE(EditionLayout::mainTitleLabelsY(), titleY);
    QCOMPARE(EditionLayout::editCaptionLabelsX(), captionX);
    QCOMPARE(EditionLayout::editTotalTimeTagX(), totalTagX);
    const QList<int> ids{-1, 0, 11, 12, 13, 14, 15, 16};
    for (int i = 0; i < ids.size(); ++i)
        QCOMPARE(EditionLayout::hintBoxWidth(ids[i]), hintWidths[i]);
}

QTEST_GUILESS_MAIN(tst_Edition)
#include "tst_edition.moc"
