// CommandLine.cpp: QCommandLineParser behind the tool's own usage messages.
#include "cli/CommandLine.h"

#include <algorithm>

#include <QCommandLineParser>
#include <QStringList>

#include "cli/Usage.h"

const char* const ToolVersion = "vandrel-cli " VANDREL_VERSION;

std::optional<CommandWords> ParseCommandWords(const Words& args, const std::vector<ValueOption>& options,
                                              const char* usage, std::ostream& err)
{
    QCommandLineParser parser;
    // "-x" is the option x, never the letters x as options of their own.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("v"), QStringLiteral("version")}));
    for (const ValueOption& option : options)
        parser.addOption(QCommandLineOption(QString::fromStdString(option.Name), QString(),
                                            QString::fromStdString(option.ValueName)));

    QStringList words{QStringLiteral("vandrel-cli")};  // the parser skips the program's name
    for (const std::string& word : args)
        words.append(QString::fromLocal8Bit(word));
    const bool parsed = parser.parse(words);

    CommandWords command;
    command.Help = parser.isSet(QStringLiteral("help"));
    command.Version = parser.isSet(QStringLiteral("version"));
    if (command.Help || command.Version)
        return command;
    if (!parsed) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            // Named as it was typed, with one dash or two.
            const std::string name = unknown.first().toLocal8Bit().toStdString();
            const bool oneDash = std::find(args.begin(), args.end(), "-" + name) != args.end();
            UsageError(err, "unknown option '" + std::string(oneDash ? "-" : "--") + name + "'", usage);
            return std::nullopt;
        }
        for (const ValueOption& option : options) {
            if (parser.errorText().contains(QString::fromStdString("'--" + option.Name + "'"))) {
                UsageError(err, "--" + option.Name + " " + option.Problem, usage);
                return std::nullopt;
            }
        }
        UsageError(err, parser.errorText().toStdString(), usage);
        return std::nullopt;
    }
    for (const QString& word : parser.positionalArguments())
        command.Positional.push_back(word.toLocal8Bit().toStdString());
    for (const ValueOption& option : options) {
        const QString name = QString::fromStdString(option.Name);
        if (parser.isSet(name))
            command.Values[option.Name] = parser.value(name).toLocal8Bit().toStdString();
    }
    return command;
}
