#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

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
                QStringLiteral("%1: unexpected argument '%2'.").arg(program, parser.positionalArguments().constFirst())
                    + seeHelp};
    return {};
}

} // namespace app
