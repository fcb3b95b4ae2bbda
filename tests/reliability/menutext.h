#pragma once

#include "menubook.h"
#include "menufilereader.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QMetaType>
#include <QTest>

Q_DECLARE_METATYPE(MenuRecord)

// What QCOMPARE prints for a record that differs.
inline char *toString(const MenuRecord &menu)
{
    QString text = QStringLiteral("%1 %2 \"%3\"").arg(menu.number).arg(menu.code, menu.name);
    for (const MenuStage &stage : menu.stages)
        text += QStringLiteral(" P%1 %2:%3").arg(stage.power).arg(stage.minutes).arg(stage.seconds);
    return QTest::toString(text);
}

// Menu file bytes and expected books for the reliability tests.
namespace MenuText {

using Stages = std::array<MenuStage, 3>;

inline QByteArray header()
{
    return MenuBook::fileBytes(MenuBook::headerText());
}

inline QByteArray row(const QByteArray &name, int number, const QByteArray &values)
{
    return name + ",#" + QByteArray::number(number).rightJustified(4, '0') + ',' + values + '\n';
}

inline MenuRecord record(int number, const QString &name = QString(), const Stages &stages = {})
{
    MenuRecord menu;
    menu.number = number;
    menu.code = MenuFileReader::codeOfNumber(number);
    menu.name = name;
    menu.stages = stages;
    return menu;
}

// 299 records: the given ones at their numbers, empty ones elsewhere.
inline QList<MenuRecord> book(const QList<MenuRecord> &named = {})
{
    QList<MenuRecord> records;
    for (int number = 1; number <= MenuBook::RecordCount; ++number)
        records.append(record(number));
    for (const MenuRecord &menu : named)
        records[menu.number - 1] = menu;
    return records;
}

// A few real menus at the start of the book, as the editor writes them.
inline QList<MenuRecord> kitchenMenus()
{
    return {record(1, QStringLiteral("Popcorn"), {{{10, 2, 30}, {}, {}}}),
            record(2, QStringLiteral("Baked Potato"), {{{10, 6, 0}, {5, 2, 0}, {}}}),
            record(3, QStringLiteral("Defrost Meat"), {{{3, 8, 0}, {0, 2, 0}, {3, 8, 0}}}),
            record(150, QStringLiteral("Slow Stew"), {{{4, 60, 0}, {3, 45, 0}, {}}})};
}

inline QString kitchenText()
{
    MenuBook writer;
    writer.menus = book(kitchenMenus());
    return writer.menuFileText();
}

inline QByteArray kitchenBytes()
{
    return MenuBook::fileBytes(kitchenText());
}

inline QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeContents(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace MenuText
