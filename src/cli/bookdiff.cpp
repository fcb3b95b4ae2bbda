#include "bookdiff.h"

#include <algorithm>

namespace {

constexpr int NameWidth = 16;
const QString Gap = QStringLiteral("  ");
const QString Divider = QStringLiteral("  |  ");

QString menuText(const MenuRecord &record, int nameWidth)
{
    QString text = record.name.leftJustified(nameWidth);
    for (const MenuStage &stage : record.stages)
        text += Gap + BookDiff::stageText(stage);
    return text;
}

} // namespace

QList<BookDiff::Change> BookDiff::compare(const QList<MenuRecord> &left,
                                          const QList<MenuRecord> &right)
{
    QList<Change> changes;
    const qsizetype count = std::max(left.size(), right.size());
    for (qsizetype p = 0; p < count; ++p) {
        MenuRecord a = p < left.size() ? left[p] : MenuRecord();
        MenuRecord b = p < right.size() ? right[p] : MenuRecord();
        if (a.name != b.name || a.stages != b.stages) {
            // A record missing on one side still shows under the other's code.
            if (a.code.isEmpty())
                a.code = b.code;
            changes.append({a, b});
        }
    }
    return changes;
}

QStringList BookDiff::sideBySide(const QList<Change> &changes, const QString &leftTitle,
                                 const QString &rightTitle)
{
    int nameWidth = NameWidth;
    for (const Change &change : changes)
        nameWidth =
            std::max({nameWidth, int(change.left.name.size()), int(change.right.name.size())});
    const int menuWidth = nameWidth + 3 * (int(Gap.size()) + int(stageText({}).size()));
    const int codeWidth = 4;

    QStringList lines;
    lines.append(QString(codeWidth, u' ') + Gap + leftTitle.leftJustified(menuWidth) + Divider +
                 rightTitle);
    for (const Change &change : changes) {
        lines.append(change.left.code.leftJustified(codeWidth) + Gap +
                     menuText(change.left, nameWidth) + Divider +
                     menuText(change.right, nameWidth));
    }
    return lines;
}

QString BookDiff::stageText(const MenuStage &stage)
{
    return QStringLiteral("P%1 %2:%3")
        .arg(stage.power, 2, 10, QLatin1Char('0'))
        .arg(stage.minutes, 2, 10, QLatin1Char('0'))
        .arg(stage.seconds, 2, 10, QLatin1Char('0'));
}
