#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QHash>

namespace app {

CommandLineRequest ReadCommandLine(const QStringList &arguments)
{
    const QString program = QFileInfo(arguments.value(0, QStringLiteral("compass-bench"))).fileName();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Bench utility for a compass module on a serial line. Its port, line settings and "
                       "chart ranges are set in its Setup dialog."));
    // Our own help option: Qt's would add --help-all, whose text parse() cannot give.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help and exits."));
    parser.addOption(help);
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays the version and exits."));
    parser.addOption(version);

    // The style every tool of the project shares (tools/command_line.h).
    const QString seeHelp = QStringLiteral("\nRun %1 --help for its options.\n").arg(program);
    if (!parser.parse(arguments))
        return {CommandLineRequest::Action::Refuse, program + QStringLiteral(": ") + parser.errorText() + seeHelp};
    if (parser.isSet(help)) {
        // helpText() names the program only once an application object exists.
        const QString options = parser.helpText().section(QLatin1Char('\n'), 1);
        return {CommandLineRequest::Action::Print,
                QStringLiteral("Usage: %1 [options]\n").arg(program) + options};
    }
    if (parser.isSet(version))
        return {CommandLineRequest::Action::Print,
                QStringLiteral("%1 %2\n").arg(program, QStringLiteral(COMPASS_VERSION))};
    if (!parser.positionalArguments().isEmpty())
        return {CommandLineRequest::Action::Refuse,
                QStringLiteral("%1: unexpected argument \"%2\"").arg(program, parser.positionalArguments().constFirst())
                    + seeHelp};
    return {};
}

QStringList WithoutWindowSystemOptions(const QStringList &arguments)
{
    // Those Qt's application objects and its X11 plugin take, and whether a value follows.
    static const QHash<QString, bool> qtOptions{
        {"platform", true},   {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
        {"qwindowgeometry", true}, {"geometry", true}, {"qwindowtitle", true}, {"title", true},
        {"qwindowicon", true}, {"icon", true},   {"session", true},     {"display", true},
        {"name", true},       {"visual", true},  {"style", true},       {"stylesheet", true},
        {"qmljsdebugger", true}, {"reverse", false}, {"testability", false}, {"sync", false},
        {"nograb", false},    {"dograb", false}, {"widgetcount", false}};
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (i == 0 || !argument.startsWith(QLatin1Char('-'))) {
            kept << argument;
            continue;
        }
        const QString option = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        const QString name = option.section(QLatin1Char('='), 0, 0);
        const auto known = qtOptions.constFind(name);
        if (known == qtOptions.constEnd())
            kept << argument;
        else if (*known && !option.contains(QLatin1Char('=')))
            ++i;  // its value
    }
    return kept;
}

} // namespace app
