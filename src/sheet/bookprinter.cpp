#include "bookprinter.h"

#include "menubook.h"

#include <QCryptographicHash>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <array>

namespace {

constexpr int Resolution = 300; // dots per inch of the page layout
constexpr qreal BodyPoints = 9;
constexpr qreal TitlePoints = 14;

// The tool's own words; the editor's translations do not cover a printout.
struct Words
{
    QString title, named, file, fingerprint, noMenus, page, workingCopy, leftOut;
    std::array<QString, 7> columns; // code, name, stage 1..3, total, power-10 time
};

const Words &wordsFor(BookPrinter::Language language)
{
    static const Words english{QStringLiteral("Menu book"),
                               QStringLiteral("Menu book: %1"),
                               QStringLiteral("File"),
                               QStringLiteral("Fingerprint"),
                               QStringLiteral("No menus to print."),
                               QStringLiteral("Page %1 of %2"),
                               QStringLiteral("%1 (working copy)"),
                               QStringLiteral("Empty, not listed: %1"),
                               {QStringLiteral("Code"), QStringLiteral("Name"),
                                QStringLiteral("Stage 1"), QStringLiteral("Stage 2"),
                                QStringLiteral("Stage 3"), QStringLiteral("Total"),
                                QStringLiteral("P10 / limit")}};
    static const Words chinese{QStringLiteral("菜单本"),
                               QStringLiteral("菜单本：%1"),
                               QStringLiteral("文件"),
                               QStringLiteral("指纹"),
                               QStringLiteral("没有可打印的菜单。"),
                               QStringLiteral("第 %1 页，共 %2 页"),
                               QStringLiteral("%1（工作副本）"),
                               QStringLiteral("空菜单，未列出：%1"),
                               {QStringLiteral("编号"), QStringLiteral("名称"),
                                QStringLiteral("第 1 段"), QStringLiteral("第 2 段"),
                                QStringLiteral("第 3 段"), QStringLiteral("总时间"),
                                QStringLiteral("P10 / 上限")}};
    return language == BookPrinter::Language::Chinese ? chinese : english;
}

// Left edges of the columns as parts of the line width; the last entry is the right edge.
constexpr std::array<qreal, 8> ColumnEdges{0.0, 0.08, 0.34, 0.47, 0.60, 0.73, 0.83, 1.0};

// Latin text from a Latin font, Chinese from a CJK one: the CJK fonts' digits
// and Latin letters come out of the PDF writer without their text, so copying
// or searching the sheet would lose the codes.
QFont sheetFont(qreal points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString duration(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString stageCell(const MenuStage &stage)
{
    if (stage == MenuStage{})
        return QStringLiteral("-");
    return QStringLiteral("P%1 %2")
        .arg(stage.power, 2, 10, QLatin1Char('0'))
        .arg(duration(stage.stageTime()));
}

std::array<QString, 7> menuCells(const MenuRecord &record)
{
    int total = 0;
    int fullPower = 0;
    for (const MenuStage &stage : record.stages) {
        total += stage.stageTime();
        if (stage.power == OvenLimits::FullPower)
            fullPower += stage.stageTime();
    }
    return {record.code,
            record.name,
            stageCell(record.stages[0]),
            stageCell(record.stages[1]),
            stageCell(record.stages[2]),
            duration(total),
            duration(fullPower) + QStringLiteral(" / ") +
                duration(OvenLimits::FullPowerMenuSeconds)};
}

bool isReserved(const MenuRecord &record)
{
    return MenuRecord::isReservedNumber(record.number);
}

class SheetPainter
{
public:
    SheetPainter(QPainter &painter, const QRect &area, const Words &words)
        : painter(painter), area(area), words(words), body(sheetFont(BodyPoints, false)),
          bold(sheetFont(BodyPoints, true)), title(sheetFont(TitlePoints, true))
    {
        const QFontMetrics metrics(body, painter.device());
        lineHeight = metrics.height() * 5 / 4;
        headerHeight = QFontMetrics(title, painter.device()).height() + 3 * lineHeight;
    }

    int rowsPerPage() const
    {
        return std::max(1, (area.height() - headerHeight - 2 * lineHeight) / lineHeight);
    }

    // Lines the text takes when wrapped to the page's width.
    int linesFor(const QString &text) const
    {
        const QFontMetrics metrics(body, painter.device());
        const QRect bounds =
            metrics.boundingRect(QRect(0, 0, area.width(), 1 << 20), Qt::TextWordWrap, text);
        return std::max(1, (bounds.height() + lineHeight - 1) / lineHeight);
    }

    void header(const QString &fileName, bool workingCopy, const QString &fingerprint)
    {
        // A loose page names the book it belongs to in its heading; the
        // editor's working copy is no book's name.
        const QString heading =
            fileName.isEmpty() || workingCopy ? words.title : words.named.arg(fileName);
        painter.setFont(title);
        const int titleHeight = QFontMetrics(title, painter.device()).height();
        painter.drawText(QRect(area.left(), area.top(), area.width(), titleHeight),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(heading, Qt::ElideMiddle, area.width()));
        painter.setFont(body);
        const QRect info(area.left(), area.top() + titleHeight, area.width(), lineHeight);
        const QString file = workingCopy ? words.workingCopy.arg(fileName) : fileName;
        painter.drawText(info, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(words.file + QStringLiteral(": ") + file,
                                                          Qt::ElideMiddle, area.width() * 2 / 3));
        painter.drawText(info, Qt::AlignRight | Qt::AlignVCenter,
                         words.fingerprint + QStringLiteral(": ") + fingerprint);
        painter.setFont(bold);
        const int headingsTop = area.top() + titleHeight + 2 * lineHeight;
        line(headingsTop, words.columns);
        painter.drawLine(area.left(), headingsTop + lineHeight, area.right(),
                         headingsTop + lineHeight);
        painter.setFont(body);
    }

    void row(int index, const std::array<QString, 7> &cells)
    {
        const int top = area.top() + headerHeight + index * lineHeight;
        // Every other line shaded, so a finger can follow a line across.
        if (index % 2 == 1)
            painter.fillRect(QRect(area.left(), top, area.width(), lineHeight),
                             QColor(236, 236, 236));
        line(top, cells);
    }

    void message(const QString &text, int index = 0)
    {
        const int top = area.top() + headerHeight + index * lineHeight;
        painter.drawText(QRect(area.left(), top, area.width(), area.bottom() - lineHeight - top),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    }

    void footer(int page, int pages)
    {
        painter.setFont(body);
        painter.drawText(QRect(area.left(), area.bottom() - lineHeight, area.width(), lineHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter, words.page.arg(page).arg(pages));
    }

private:
    void line(int top, const std::array<QString, 7> &cells)
    {
        const int pad = lineHeight / 4;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const int left = area.left() + int(ColumnEdges[c] * area.width()) + pad;
            const int width = int((ColumnEdges[c + 1] - ColumnEdges[c]) * area.width()) - 2 * pad;
            const QString text = painter.fontMetrics().elidedText(cells[c], Qt::ElideRight, width);
            painter.drawText(QRect(left, top, width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                             text);
        }
    }

    QPainter &painter;
    QRect area;
    const Words &words;
    QFont body, bold, title;
    int lineHeight = 0;
    int headerHeight = 0;
};

} // namespace

QString BookPrinter::emptyCodes(const QList<MenuRecord> &records)
{
    QStringList runs;
    QString first, last;
    const auto endRun = [&] {
        if (!first.isEmpty())
            runs.append(first == last ? first : first + QStringLiteral("..") + last);
        first.clear();
    };
    for (const MenuRecord &record : records) {
        if (isReserved(record))
            continue;
        if (!record.name.isEmpty() || record.stages != std::array<MenuStage, 3>{}) {
            endRun();
            continue;
        }
        // A run does not reach across a letter: A-99 and b-01 are not neighbours.
        if (!first.isEmpty() && first.at(0) != record.code.at(0))
            endRun();
        if (first.isEmpty())
            first = record.code;
        last = record.code;
    }
    endRun();
    return runs.join(QStringLiteral(", "));
}

QList<MenuRecord> BookPrinter::printedMenus(const QList<MenuRecord> &records) const
{
    QList<MenuRecord> menus;
    for (const MenuRecord &record : records) {
        if (isReserved(record))
            continue;
        if (onlyNamed && record.name.isEmpty() && record.stages == std::array<MenuStage, 3>{})
            continue;
        menus.append(record);
    }
    return menus;
}

bool BookPrinter::print(const QList<MenuRecord> &records, const QString &pdfPath,
                        QString &error) const
{
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(Resolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        writer.setTitle(wordsFor(language).title + QStringLiteral(" - ") + fileName);
        writer.setCreator(QStringLiteral("menubook"));
        if (!paint(records, writer, error)) {
            file.cancelWriting();
            return false;
        }
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool BookPrinter::paint(const QList<MenuRecord> &records, QPagedPaintDevice &device,
                        QString &error) const
{
    const Words &words = wordsFor(language);
    const QList<MenuRecord> menus = printedMenus(records);
    QPainter painter;
    if (!painter.begin(&device)) {
        error = QStringLiteral("the page device could not start");
        return false;
    }
    const QRect area(0, 0, device.width(), device.height());
    SheetPainter sheet(painter, area, words);
    const int perPage = sheet.rowsPerPage();
    // Under the last menu, the line that says which menus were left out; on
    // a page of its own when the last one has no room left for it.
    const QString empty = onlyNamed ? emptyCodes(records) : QString();
    const QString note = empty.isEmpty() ? QString() : words.leftOut.arg(empty);
    const int rowPages = std::max(1, int((menus.size() + perPage - 1) / perPage));
    const int lastRows = int(menus.size()) - (rowPages - 1) * perPage;
    const int noteAt = menus.isEmpty() ? 1 : lastRows + 1; // a blank line before it
    const bool notePage = !note.isEmpty() && noteAt + sheet.linesFor(note) > perPage;
    const int pages = rowPages + (notePage ? 1 : 0);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        sheet.header(fileName, workingCopy, fingerprint);
        if (menus.isEmpty() && page == 0)
            sheet.message(words.noMenus);
        const int first = page * perPage;
        const int last = std::min(int(menus.size()), first + perPage);
        for (int m = first; m < last; ++m)
            sheet.row(m - first, menuCells(menus[m]));
        if (!note.isEmpty() && page == pages - 1)
            sheet.message(note, notePage ? 0 : noteAt);
        sheet.footer(page + 1, pages);
    }
    painter.end();
    return true;
}

QString BookPrinter::fingerprintText(const QByteArray &normalized, bool full)
{
    const QByteArray hex = QCryptographicHash::hash(normalized, QCryptographicHash::Sha256).toHex();
    if (full)
        return QString::fromLatin1(hex);
    QString grouped;
    for (int group = 0; group < 4; ++group) {
        if (group > 0)
            grouped += u'-';
        grouped += QString::fromLatin1(hex.mid(group * 4, 4));
    }
    return grouped;
}

QString BookPrinter::fingerprintOf(const QList<MenuRecord> &records)
{
    MenuBook book;
    book.menus = records;
    return fingerprintText(MenuBook::fileBytes(book.menuFileText()));
}

BookPrinter BookPrinter::ofEditedBook(const QList<MenuRecord> &records, Language language,
                                      const QString &fileName, bool workingCopy)
{
    BookPrinter sheet;
    sheet.language = language;
    sheet.onlyNamed = true;
    sheet.fileName = fileName;
    sheet.workingCopy = workingCopy;
    // What Save would write, so the sheet of an edited book names the
    // fingerprint the saved file will have.
    sheet.fingerprint = fingerprintOf(records);
    return sheet;
}
