#include "commandline.h"

#include <QCommandLineParser>

CommandLine CommandLine::parse(const QStringList &arguments, const QString &programName,
                               const QString &version)
{
    // The usage is English in both editions: it is printed before any
    // translation is installed, and --help must work without a display.
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits the cooking-menu book of a Morvex microwave oven.\n"
                       "Loads the working copy menufile.hex of the current folder, then\n"
                       "opens BOOK.hex, when given, as the Open button would."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and exits."));
    const QCommandLineOption showVersion({QStringLiteral("v"), QStringLiteral("version")},
                                         QStringLiteral("Shows the version and exits."));
    parser.addOption(help);
    parser.addOption(showVersion);
    parser.addPositionalArgument(QStringLiteral("BOOK.hex"),
                                 QStringLiteral("The menu book to open."),
                                 QStringLiteral("[BOOK.hex]"));

    // The parser would name the program by the path it was started with,
    // or not at all before the application object exists.
    const QString usage = QStringLiteral("Usage: %1 [options] [BOOK.hex]\n").arg(programName) +
                          parser.helpText().section(u'\n', 1);

    CommandLine line;
    const bool understood = parser.parse(arguments);
    // An empty argument (a desktop's empty %f) names no book.
    QStringList books = parser.positionalArguments();
    books.removeAll(QString());
    if (understood && parser.isSet(help)) {
        line.action = Action::ShowHelp;
        line.text = usage;
    } else if (understood && parser.isSet(showVersion)) {
        line.action = Action::ShowVersion;
        line.text = programName + u' ' + version + u'\n';
    } else if (!understood || books.size() > 1) {
        line.action = Action::Refuse;
        const QString reason =
            understood ? QStringLiteral("Only one book can be opened.") : parser.errorText();
        line.text = programName + QStringLiteral(": ") + reason + u'\n' + usage;
    } else if (!books.isEmpty()) {
        line.bookPath = books.constFirst();
    }
    return line;
}

QStringList CommandLine::withoutQtOptions(const QStringList &arguments)
{
    // Qt's own options, with one or two leading dashes; those of the first
    // list take the next argument as their value (or "=VALUE" for -style,
    // -stylesheet and -qmljsdebugger).
    static const QStringList withValue{QStringLiteral("platform"),
                                       QStringLiteral("platformpluginpath"),
                                       QStringLiteral("platformtheme"),
                                       QStringLiteral("plugin"),
                                       QStringLiteral("qwindowgeometry"),
                                       QStringLiteral("qwindowicon"),
                                       QStringLiteral("qwindowtitle"),
                                       QStringLiteral("session"),
                                       QStringLiteral("style"),
                                       QStringLiteral("stylesheet"),
                                       QStringLiteral("display"),
                                       QStringLiteral("geometry"),
                                       QStringLiteral("title"),
                                       QStringLiteral("icon"),
                                       QStringLiteral("name"),
                                       QStringLiteral("visual")};
    static const QStringList alone{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                   QStringLiteral("nograb"),  QStringLiteral("dograb"),
                                   QStringLiteral("sync"),    QStringLiteral("testability")};
    QStringList rest;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        QString option = argument;
        if (i == 0 || !option.startsWith(u'-') || option == QLatin1String("--")) {
            rest.append(argument);
            continue;
        }
        option.remove(0, option.startsWith(QLatin1String("--")) ? 2 : 1);
        const QString key = option.section(u'=', 0, 0);
        if (alone.contains(option) || key == QLatin1String("qmljsdebugger") ||
            (withValue.contains(key) && option.contains(u'='))) {
            continue;
        }
        if (withValue.contains(option) && i + 1 < arguments.size()) {
            ++i;
            continue;
        }
        rest.append(argument);
    }
    return rest;
}
