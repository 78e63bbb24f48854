#include "commandline.h"

#include <QCommandLineParser>
#include <QStringList>

namespace {

// On POSIX every byte passes through the parser as one Latin-1 character
// and comes back unchanged, so that a file name that is not valid UTF-8
// still names its file.
QString argumentText(const char* argument)
{
#ifdef _WIN32
    return QString::fromLocal8Bit(argument);
#else
    return QString::fromLatin1(argument);
#endif
}

std::string argumentBytes(const QString& text)
{
#ifdef _WIN32
    return text.toStdString();
#else
    return text.toLatin1().toStdString();
#endif
}

std::vector<MeasureColumn> measureColumns(const QString& list)
{
    std::vector<MeasureColumn> columns;
    for (const QString& id : list.split(',', Qt::SkipEmptyParts)) {
        const std::optional<MeasureColumn> column = findMeasureColumn(argumentBytes(id.trimmed()));
        if (!column)
            throw UsageError("unknown measure '" + argumentBytes(id) + "'");
        columns.push_back(*column);
    }
    if (columns.empty())
        throw UsageError("--measure names no measure");
    return columns;
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << argumentText(argv[i]);

    QCommandLineParser parser;
    const QCommandLineOption help({"h", "help"}, "");
    const QCommandLineOption output({"o", "output"}, "", "FILE");
    const QCommandLineOption measure({"m", "measure"}, "", "LIST");
    parser.addOptions({help, output, measure});
    if (!parser.parse(arguments))
        throw UsageError(argumentBytes(parser.errorText()));

    CommandLine command;
    command.help = parser.isSet(help);
    if (command.help)
        return command;
    for (const QString& input : parser.positionalArguments())
        command.inputs.push_back(argumentBytes(input));
    if (command.inputs.empty())
        throw UsageError("no input file");
    command.columns = parser.isSet(measure) ? measureColumns(parser.value(measure)) : allMeasureColumns();
    if (parser.isSet(output))
        command.output = argumentBytes(parser.value(output));
    return command;
}
