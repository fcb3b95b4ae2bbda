#include "menubook.h"

#include "menufilechooser.h"
#include "menufilereader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

const QString MenuBook::WorkingCopyName = QStringLiteral("menufile.hex");
const QString MenuBook::FileFilter = QStringLiteral("MorvexMenuFile(*.hex)");

namespace {

// The working directory joined with a dialog's name; an absolute name stays as it is.
QString pathInWorkingDirectory(const QString &fileName)
{
    return QDir(QDir::currentPath()).filePath(fileName);
}

// Digits straight into the text: a full book has 2691 numbers, and a
// temporary string for each of them would dominate the cost of a save.
void appendNumber(QString &text, int value, int minDigits = 1)
{
    char16_t digits[12];
    int count = 0;
    unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        digits[count++] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0 || count < minDigits);
    if (value < 0)
        digits[count++] = u'-';
    std::reverse(digits, digits + count);
    text.append(QStringView(digits, count));
}

// A name typed without a suffix is a book: the filter shows "*.hex" and
// the Open dialog would not list the file otherwise. A name with another
// suffix was meant as typed.
QString withBookSuffix(const QString &name)
{
    if (name.isEmpty() || name.endsWith(u'/'))
        return name;
    if (name.endsWith(u'.'))
        return name + QStringLiteral("hex");
    return QFileInfo(name).suffix().isEmpty() ? name + QStringLiteral(".hex") : name;
}

void appendRowNumber(QString &text, int row)
{
    text += u'#';
    appendNumber(text, row, 4);
}

} // namespace

void MenuBook::setFileChooser(MenuFileChooser *chooser)
{
    fileChooser = chooser;
}

void MenuBook::setFileWriter(MenuFileWriter writer)
{
    fileWriter = std::move(writer);
}

int MenuBook::positionOfMenu(int menuIndex)
{
    if (menuIndex < 99)
        return menuIndex;
    if (menuIndex < 198)
        return menuIndex + 1;
    return menuIndex + 2;
}

int MenuBook::menuOfPosition(int position)
{
    if (position < 99)
        return position;
    if (position < 199)
        return position - 1;
    return position - 2;
}

void MenuBook::replaceMenu(const MenuRecord &record)
{
    menus[record.number - 1] = record;
}

void MenuBook::appendMenu(MenuRecord record)
{
    record.number = int(menus.size()) + 1;
    menus.append(std::move(record));
}

void MenuBook::clearMenu(int menuIndex)
{
    MenuRecord &record = menus[positionOfMenu(menuIndex)];
    record.name.clear();
    record.stages = {};
}

namespace {

// A book is a regular file: a device or a pipe given as a book would never
// end (or block the open itself), and a folder would read as an empty book.
bool openBookFile(QFile &file)
{
    return QFileInfo(file.fileName()).isFile() && file.open(QIODevice::ReadOnly);
}

} // namespace

bool MenuBook::loadStartupFile()
{
    chosenFileName = WorkingCopyName;
    menus.clear();
    const QString path = pathInWorkingDirectory(chosenFileName);
    // A working copy that exists but cannot be read may still hold the
    // user's menus; only a missing one is replaced by the default book.
    if (!QFileInfo::exists(path))
        writeFile(WorkingCopyName, fileBytes(defaultText()));

    QFile file(path);
    if (!openBookFile(file)) {
        chosenFileName.clear();
        currentPath.clear();
        return false;
    }
    readMenuFile(file);
    currentPath = chosenFileName;
    return true;
}

FileCommandResult MenuBook::openFile()
{
    const QString name = fileChooser
                             ? fileChooser->openFileName(QStringLiteral("Open Morvex-Menu-File"),
                                                         QString(), FileFilter)
                             : QString();
    return openFile(name);
}

FileCommandResult MenuBook::openFile(const QString &name)
{
    chosenFileName = name;
    if (name.isEmpty())
        return FileCommandResult::Cancelled;

    QFile file(pathInWorkingDirectory(name));
    // An unreadable choice must not empty the book: the next Save would
    // then overwrite the working copy with nothing.
    if (!openBookFile(file)) {
        chosenFileName.clear();
        return FileCommandResult::Failed;
    }
    menus.clear();
    readMenuFile(file);
    currentPath = name;
    return FileCommandResult::Done;
}

FileCommandResult MenuBook::createFile()
{
    const QString name = withBookSuffix(
        fileChooser ? fileChooser->saveFileName(QStringLiteral("Create Morvex-Menu-File"),
                                                QStringLiteral("../"), FileFilter)
                    : QString());
    chosenFileName = name;
    if (name.isEmpty())
        return FileCommandResult::Cancelled;

    if (!writeFile(name, fileBytes(headerText()))) {
        chosenFileName.clear();
        return FileCommandResult::Failed;
    }
    menus.clear();
    currentPath = name;
    return FileCommandResult::Done;
}

FileCommandResult MenuBook::saveFile()
{
    const QByteArray bytes = fileBytes(menuFileText());
    // Without a current file (the start-up load failed) only the working
    // copy is kept, and that is all Save promises then.
    if (currentPath.isEmpty())
        return writeFile(WorkingCopyName, bytes) ? FileCommandResult::Done
                                                 : FileCommandResult::Failed;
    return writeBookAndWorkingCopy(currentPath, bytes);
}

FileCommandResult MenuBook::saveFileAs()
{
    const QString name = withBookSuffix(
        fileChooser ? fileChooser->saveFileName(QStringLiteral("Save Morvex-Menu-File"),
                                                QStringLiteral("./"), FileFilter)
                    : QString());
    chosenFileName = name;
    if (name.isEmpty())
        return FileCommandResult::Cancelled;

    const FileCommandResult result = writeBookAndWorkingCopy(name, fileBytes(menuFileText()));
    if (result == FileCommandResult::Failed)
        chosenFileName.clear();
    else
        currentPath = name;
    return result;
}

void MenuBook::readMenuFile(QIODevice &file)
{
    menus.append(MenuFileReader().read(file));
}

QString MenuBook::menuFileText() const
{
    QString text = headerText();
    text.reserve(text.size() + menus.size() * 48);
    int row = 0;
    for (const MenuRecord &record : menus) {
        text += record.name;
        text += u',';
        appendRowNumber(text, ++row);
        for (const MenuStage &stage : record.stages) {
            for (int value : {stage.power, stage.minutes, stage.seconds}) {
                text += u',';
                appendNumber(text, value);
            }
        }
        text += u'\n';
    }
    return text;
}

QString MenuBook::headerText()
{
    static const QString header = [] {
        QString text = QStringLiteral("MenuName,\"num\n(1-297)\",");
        const char *sections[] = {"First", "Second", "Third"};
        for (const char *section : sections) {
            const QString prefix = QStringLiteral("\"%1 Section\n").arg(QLatin1String(section));
            text += prefix + QStringLiteral("power\n(0-10)\",");
            text += prefix + QStringLiteral("min\n(0-60)\",");
            text += prefix + QStringLiteral("sec\n(0-99)\",");
        }
        text += u'\n';
        return text;
    }();
    return header;
}

QString MenuBook::defaultText()
{
    QString text = headerText();
    for (int row = 1; row <= RecordCount; ++row) {
        text += u',';
        appendRowNumber(text, row);
        text += QLatin1String(",0,0,0,0,0,0,0,0,0\n");
    }
    return text;
}

QByteArray MenuBook::fileBytes(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x100) {
            *out++ = char(c.unicode());
            continue;
        }
        // A character beyond the basic plane is one character, so one "?".
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        *out++ = '?';
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

bool MenuBook::writeFile(const QString &path, const QByteArray &bytes) const
{
    return fileWriter.write(path, bytes);
}

FileCommandResult MenuBook::writeBookAndWorkingCopy(const QString &path,
                                                    const QByteArray &bytes) const
{
    const bool bookWritten = writeFile(path, bytes);
    // Even when the book's own place refuses it, the working copy takes it:
    // the next start-up must not bring back an older book.
    const bool workingCopyWritten = writeFile(WorkingCopyName, bytes);
    if (!bookWritten)
        return FileCommandResult::Failed;
    return workingCopyWritten ? FileCommandResult::Done : FileCommandResult::WorkingCopyFailed;
}
