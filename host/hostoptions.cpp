#include "hostoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

namespace {

bool parseVersion(const QString& text, HostVersion* version)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,4})\\.(\\d{1,4})\\.(\\d{1,4})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    *version = {match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt()};
    return true;
}

} // namespace

QString HostOptions::takePluginPath(int& argc, char** argv)
{
    const QByteArray option("--plugin");
    QString path;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == option && i + 1 < argc)
            path = QString::fromLocal8Bit(argv[++i]);
        else if (argument.startsWith(option + '='))
            path = QString::fromLocal8Bit(argument.mid(option.size() + 1));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    return path;
}

bool HostOptions::parse(const QStringList& arguments, const QString& pluginPath, HostOptions* options, QString* error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("HostOptions", "Stand-in Lodestar HX host: loads a plug-in the way the real host does."));
    parser.addHelpOption();
    // Listed for the help text only: takePluginPath() has already removed it.
    const QCommandLineOption plugin(QStringLiteral("plugin"),
                                    QCoreApplication::translate("HostOptions", "Plug-in library to load (default: %1).")
                                        .arg(defaultPluginPath()),
                                    QStringLiteral("path"));
    const QCommandLineOption version(QStringLiteral("host-version"),
                                     QCoreApplication::translate("HostOptions", "Host version to report, X.Y.Z."),
                                     QStringLiteral("version"), QStringLiteral("2.8.0"));
    const QCommandLineOption quit(QStringLiteral("quit"),
                                  QCoreApplication::translate(
                                      "HostOptions", "Start the plug-in, then exit: 0 when it started, 1 when it "
                                                     "refused, 2 when it could not be loaded."));
    parser.addOptions({plugin, version, quit});

    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (!parser.positionalArguments().isEmpty()) {
        *error = QCoreApplication::translate("HostOptions", "Unexpected argument: %1").arg(parser.positionalArguments().first());
        return false;
    }

    HostOptions parsed;
    parsed.pluginPath = pluginPath.isEmpty() ? defaultPluginPath() : pluginPath;
    parsed.quitAfterStart = parser.isSet(quit);
    if (!parseVersion(parser.value(version), &parsed.hostVersion)) {
        *error = QCoreApplication::translate("HostOptions", "The host version must look like 2.8.0, not \"%1\".")
                     .arg(parser.value(version));
        return false;
    }
    *options = parsed;
    return true;
}

QString HostOptions::defaultPluginPath()
{
#ifdef Q_OS_WIN
    const QString fileName = QStringLiteral("Kestrel.dll");
#else
    const QString fileName = QStringLiteral("libKestrel.so");
#endif
    return QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
}
