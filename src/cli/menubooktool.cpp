#include "menubooktool.h"

#include "bookchecker.h"
#include "bookdiff.h"
#include "bookfile.h"
#include "bookprinter.h"
#include "menubook.h"
#include "menufilewriter.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cstdio>

namespace {

const QString Program = QStringLiteral("menubook");
const QString StandardOutput = QStringLiteral("-");

const QCommandLineOption HelpOption({QStringLiteral("h"), QStringLiteral("help")},
                                    QStringLiteral("Show this help."));
const QCommandLineOption JsonOption(QStringLiteral("json"),
                                    QStringLiteral("One JSON object per finding and line."));
const QCommandLineOption OutputOption({QStringLiteral("o"), QStringLiteral("output")},
                                      QStringLiteral("Where to write."), QStringLiteral("OUT"));
const QCommandLineOption FullOption(QStringLiteral("full"),
                                    QStringLiteral("The whole SHA-256 in hex."));
const QCommandLineOption OnlyNamedOption(QStringLiteral("only-named"),
                                         QStringLiteral("Leave out empty menus."));
const QCommandLineOption LangOption(QStringLiteral("lang"), QStringLiteral("en or zh."),
                                    QStringLiteral("LANG"), QStringLiteral("en"));

const char *const ExitStatusOfTrouble =
    "2 when the arguments are wrong or a file cannot be read or written.";

QString plural(qsizetype count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace

MenuBookTool::MenuBookTool(QTextStream &out, QTextStream &err) : out(out), err(err) {}

const QList<MenuBookTool::Command> &MenuBookTool::commands()
{
    static const QList<Command> list = {
        {QStringLiteral("new"),
         QStringLiteral("new FILE"),
         QStringLiteral("Writes FILE as an empty book: the header alone, the bytes the editor's "
                        "New\n(Create) writes. The editor shows it without menus; 'normalize' "
                        "gives it its\n299 rows. An existing FILE is left as it is. The written "
                        "file is read back\nand compared.\n\n"
                        "Options:\n"
                        "  -h, --help  Show this help.\n\n"
                        "Exit status: 0 when FILE was written, 2 when it exists, cannot be "
                        "written or the\narguments are wrong."),
         &MenuBookTool::create,
         {HelpOption},
         1,
         1,
         false},
        {QStringLiteral("check"),
         QStringLiteral("check [--json] FILE..."),
         QStringLiteral(
             "Reads each FILE exactly as the editor reads it and lists every place where what\n"
             "the editor would hold differs from what the file says, one line per finding:\n"
             "  FILE:LINE: CODE: reason\n"
             "Names emptied (and why), names longer than the edit dialog's 16 characters,\n"
             "stage values out of range or unreadable, power-10 stages over 15 minutes,\n"
             "power-10 time of a menu over 25 minutes, stages over 60 minutes, reserved rows\n"
             "(b-00, C-00) with stages, rows dropped for missing fields, rows after the 299th,\n"
             "reading stopped at an empty line, lines skipped, bytes that are not UTF-8,\n"
             "names with a comma, text after the last stage value, and cells in quotes or\n"
             "separated by semicolons as spreadsheets save them, which an oven may not read.\n\n"
             "Options:\n"
             "  --json      One JSON object per finding and line, for scripts: file, line,\n"
             "              code, kind, message and the facts behind the finding.\n"
             "  -h, --help  Show this help.\n\n"
             "Exit status: 0 when every file loads unchanged, 1 when there are findings,\n"
             "2 when a file cannot be read or the arguments are wrong."),
         &MenuBookTool::check,
         {HelpOption, JsonOption},
         1,
         -1,
         false},
        {QStringLiteral("normalize"),
         QStringLiteral("normalize FILE -o OUT"),
         QStringLiteral("Writes to OUT exactly the bytes that the editor's Save writes after "
                        "opening FILE:\nthe header, 299 rows numbered #0001 to #0299, names and "
                        "stages as the\neditor holds them. OUT may be FILE itself; '-o -' writes "
                        "to standard output.\nThe written file is read back and compared.\n\n"
                        "Options:\n"
                        "  -o, --output OUT  Where to write (required).\n"
                        "  -h, --help        Show this help.\n\n"
                        "Exit status: 0 when OUT was written, ") +
             QLatin1String(ExitStatusOfTrouble),
         &MenuBookTool::normalize,
         {HelpOption, OutputOption},
         1,
         1,
         true},
        {QStringLiteral("diff"),
         QStringLiteral("diff A B"),
         QStringLiteral("Reads both books as the editor does and shows, side by side under its "
                        "code, every\nmenu whose name or stages differ. Line ends, the header "
                        "and ignored text do\nnot count.\n\n"
                        "Options:\n"
                        "  -h, --help  Show this help.\n\n"
                        "Exit status: 0 when the books hold the same menus, 1 when they differ, ") +
             QLatin1String(ExitStatusOfTrouble),
         &MenuBookTool::diff,
         {HelpOption},
         2,
         2,
         false},
        {QStringLiteral("fingerprint"),
         QStringLiteral("fingerprint [--full] FILE..."),
         QStringLiteral("Prints a short fingerprint of each book's content, to confirm on a "
                        "stick or a\nsign-off sheet that the right version is there. It is taken "
                        "from the bytes\n'normalize' writes, so line ends and text the editor "
                        "ignores do not change it;\nany change of a menu does.\n\n"
                        "Options:\n"
                        "  --full      The whole SHA-256 of the normalised book instead of its "
                        "first\n              64 bits.\n"
                        "  -h, --help  Show this help.\n\n"
                        "Exit status: 0 when every fingerprint was printed, ") +
             QLatin1String(ExitStatusOfTrouble),
         &MenuBookTool::fingerprint,
         {HelpOption, FullOption},
         1,
         -1,
         false},
        {QStringLiteral("print"),
         QStringLiteral("print [--only-named] [--lang en|zh] FILE -o OUT.pdf"),
         QStringLiteral("Writes a printable PDF sheet of the book: code, name, the three stages, "
                        "total\ntime and the power-10 time against its 25-minute limit for every "
                        "menu, with\npage numbers, the file name and its fingerprint on every "
                        "page.\n\n"
                        "Options:\n"
                        "  -o, --output OUT.pdf  Where to write (required).\n"
                        "  --only-named          Leave out menus without a name and without "
                        "stages.\n"
                        "  --lang en|zh          The words of the sheet: English (default) or "
                        "Chinese.\n"
                        "  -h, --help            Show this help.\n\n"
                        "Exit status: 0 when the PDF was written, ") +
             QLatin1String(ExitStatusOfTrouble),
         &MenuBookTool::print,
         {HelpOption, OutputOption, OnlyNamedOption, LangOption},
         1,
         1,
         true},
    };
    return list;
}

bool MenuBookTool::needsGui(const QStringList &arguments)
{
    return !arguments.isEmpty() && arguments.first() == QLatin1String("print");
}

void MenuBookTool::generalHelp(QTextStream &stream)
{
    stream << "Usage: menubook COMMAND [options] FILE...\n\n"
              "Creates, checks, compares, normalises and prints the menu books of Morvex\n"
              "ovens (.hex files), reading and writing them exactly as the Morvex Menu Editor\n"
              "does.\n\n"
              "Commands:\n";
    for (const Command &command : commands())
        stream << "  menubook " << command.usage << '\n';
    stream << "\nRun 'menubook COMMAND --help' for what a command does and its options.\n"
              "Nothing is written unless -o says where, or 'new' names its FILE.\n";
}

int MenuBookTool::run(const QStringList &arguments)
{
    if (arguments.isEmpty()) {
        generalHelp(err);
        return Trouble;
    }
    const QString &name = arguments.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        generalHelp(out);
        return Success;
    }
    if (name == QLatin1String("--version")) {
        out << Program << ' ' << QStringLiteral(MORVEX_VERSION) << '\n';
        return Success;
    }
    current = nullptr;
    for (const Command &command : commands()) {
        if (command.name == name)
            current = &command;
    }
    if (!current) {
        err << Program << ": unknown command '" << name << "'\n"
            << "Try 'menubook --help' for the list of commands.\n";
        return Trouble;
    }

    QCommandLineParser parser;
    parser.addOptions(current->options);
    // The parser wants a program name in front; the command stands in for it.
    if (!parser.parse(QStringList{Program} + arguments.mid(1)))
        return usageError(*current, parser.errorText());
    if (parser.isSet(HelpOption)) {
        out << "Usage: menubook " << current->usage << "\n\n" << current->help << '\n';
        return Success;
    }
    const qsizetype files = parser.positionalArguments().size();
    if (files < current->minFiles)
        return usageError(*current, QStringLiteral("a file name is missing"));
    if (current->maxFiles >= 0 && files > current->maxFiles)
        return usageError(*current, QStringLiteral("too many file names: '%1'")
                                        .arg(parser.positionalArguments()
                                                 .mid(current->maxFiles)
                                                 .join(QStringLiteral("' '"))));
    if (current->writes && parser.value(OutputOption).isEmpty())
        return usageError(*current, QStringLiteral("-o OUT is missing: nothing is written "
                                                   "unless -o says where"));
    return (this->*current->run)(parser);
}

int MenuBookTool::usageError(const Command &command, const QString &message)
{
    err << Program << ' ' << command.name << ": " << message << '\n'
        << "Usage: menubook " << command.usage << '\n'
        << "Try 'menubook " << command.name << " --help' for more.\n";
    return Trouble;
}

int MenuBookTool::fileError(const Command &command, const QString &path, const QString &reason)
{
    err << Program << ' ' << command.name << ": " << path << ": " << reason << '\n';
    return Trouble;
}

int MenuBookTool::create(const QCommandLineParser &parser)
{
    const QString path = parser.positionalArguments().first();
    // A typing slip must not empty a book: the editor's dialog would ask
    // first, and a command line cannot.
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        return fileError(*current, path, QStringLiteral("exists; nothing written"));
    QString error;
    if (!MenuFileWriter().write(path, MenuBook::fileBytes(MenuBook::headerText()), &error))
        return fileError(*current, path, QStringLiteral("cannot write: ") + error);
    return Success;
}

int MenuBookTool::check(const QCommandLineParser &parser)
{
    const bool json = parser.isSet(JsonOption);
    int exitCode = Success;
    for (const QString &path : parser.positionalArguments()) {
        QFile file(path);
        QString error;
        if (!BookFile::open(file, error)) {
            fileError(*current, path, QStringLiteral("cannot read: ") + error);
            if (json) {
                const QJsonObject object{{QStringLiteral("file"), path},
                                         {QStringLiteral("kind"), QStringLiteral("unreadable")},
                                         {QStringLiteral("message"), error}};
                out << QJsonDocument(object).toJson(QJsonDocument::Compact) << '\n';
            }
            exitCode = Trouble;
            continue;
        }
        const QList<CheckFinding> findings = BookChecker().check(file);
        for (const CheckFinding &finding : findings) {
            if (json) {
                QJsonObject object = finding.details;
                object.insert(QStringLiteral("file"), path);
                object.insert(QStringLiteral("line"), finding.line);
                object.insert(QStringLiteral("code"), finding.code.isEmpty()
                                                          ? QJsonValue(QJsonValue::Null)
                                                          : QJsonValue(finding.code));
                object.insert(QStringLiteral("kind"), finding.kind);
                object.insert(QStringLiteral("message"), finding.message);
                out << QJsonDocument(object).toJson(QJsonDocument::Compact) << '\n';
            } else {
                out << path << ':' << finding.line << ": "
                    << (finding.code.isEmpty() ? QStringLiteral("-") : finding.code) << ": "
                    << finding.message << '\n';
            }
        }
        if (!json) {
            out << path << ": "
                << (findings.isEmpty() ? QStringLiteral("loads unchanged")
                                       : plural(findings.size(), "finding", "findings"))
                << '\n';
        }
        if (!findings.isEmpty() && exitCode == Success)
            exitCode = Differences;
    }
    return exitCode;
}

int MenuBookTool::normalize(const QCommandLineParser &parser)
{
    const QString path = parser.positionalArguments().first();
    const QString target = parser.value(OutputOption);
    QList<MenuRecord> records;
    QString error;
    if (!BookFile::read(path, records, error))
        return fileError(*current, path, QStringLiteral("cannot read: ") + error);
    const QByteArray bytes = BookFile::normalizedBytes(records);
    if (target == StandardOutput) {
        out.flush();
        QFile standardOutput;
        if (!standardOutput.open(stdout, QIODevice::WriteOnly) ||
            standardOutput.write(bytes) != bytes.size() || !standardOutput.flush())
            return fileError(*current, target, QStringLiteral("cannot write to standard output"));
        return Success;
    }
    if (!MenuFileWriter().write(target, bytes, &error))
        return fileError(*current, target, QStringLiteral("cannot write: ") + error);
    return Success;
}

int MenuBookTool::diff(const QCommandLineParser &parser)
{
    const QStringList paths = parser.positionalArguments();
    QList<MenuRecord> books[2];
    for (int i = 0; i < 2; ++i) {
        QString error;
        if (!BookFile::read(paths[i], books[i], error))
            return fileError(*current, paths[i], QStringLiteral("cannot read: ") + error);
    }
    const QList<BookDiff::Change> changes = BookDiff::compare(books[0], books[1]);
    if (changes.isEmpty()) {
        out << paths[0] << " and " << paths[1] << " hold the same menus\n";
        return Success;
    }
    for (const QString &line : BookDiff::sideBySide(changes, paths[0], paths[1]))
        out << line << '\n';
    out << plural(changes.size(), "menu differs", "menus differ") << '\n';
    return Differences;
}

int MenuBookTool::fingerprint(const QCommandLineParser &parser)
{
    int exitCode = Success;
    for (const QString &path : parser.positionalArguments()) {
        QList<MenuRecord> records;
        QString error;
        if (!BookFile::read(path, records, error)) {
            exitCode = fileError(*current, path, QStringLiteral("cannot read: ") + error);
            continue;
        }
        out << BookFile::fingerprint(BookFile::normalizedBytes(records), parser.isSet(FullOption))
            << "  " << path << '\n';
    }
    return exitCode;
}

int MenuBookTool::print(const QCommandLineParser &parser)
{
    const QString language = parser.value(LangOption);
    if (language != QLatin1String("en") && language != QLatin1String("zh"))
        return usageError(*current,
                          QStringLiteral("--lang takes en or zh, not '%1'").arg(language));
    const QString path = parser.positionalArguments().first();
    QList<MenuRecord> records;
    QString error;
    if (!BookFile::read(path, records, error))
        return fileError(*current, path, QStringLiteral("cannot read: ") + error);

    BookPrinter printer;
    printer.language = language == QLatin1String("zh") ? BookPrinter::Language::Chinese
                                                       : BookPrinter::Language::English;
    printer.onlyNamed = parser.isSet(OnlyNamedOption);
    printer.fileName = QFileInfo(path).fileName();
    printer.fingerprint = BookFile::fingerprint(BookFile::normalizedBytes(records));
    const QString target = parser.value(OutputOption);
    if (!printer.print(records, target, error))
        return fileError(*current, target, QStringLiteral("cannot write: ") + error);
    return Success;
}
