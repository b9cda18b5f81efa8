// InstallTest.cpp: installs the build into a temporary prefix and checks what lands there: programs, desktop entry, icons, metainfo, manual pages.
#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

const QString AppId = QStringLiteral("org.vandrel.Vandrel");

struct ProcessResult {
    bool Started = false;
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};

ProcessResult RunProgram(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    ProcessResult run;
    run.Started = process.waitForStarted(-1) && process.waitForFinished(120000);
    run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.Out = process.readAllStandardOutput();
    run.Err = process.readAllStandardError();
    return run;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The build installed afresh into a prefix of its own, as a packager would.
class InstallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(prefix_.isValid());
        const ProcessResult install = RunProgram(QStringLiteral(VANDREL_CMAKE),
                                       {QStringLiteral("--install"), QStringLiteral(VANDREL_BUILD_DIR),
                                        QStringLiteral("--prefix"), prefix_.path()});
        ASSERT_TRUE(install.Started);
        ASSERT_EQ(install.ExitCode, 0) << install.Out.toStdString() << install.Err.toStdString();
    }

    QString Installed(const QString& relative) const { return prefix_.filePath(relative); }

    // Every regular file below the prefix, relative to it.
    std::set<QString> InstalledFiles() const
    {
        std::set<QString> files;
        QDirIterator it(prefix_.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files.insert(QDir(prefix_.path()).relativeFilePath(it.next()));
        return files;
    }

    QTemporaryDir prefix_;
};

const int IconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

TEST_F(InstallTest, InstallsExactlyTheGamesFiles)
{
    std::set<QString> expected = {
        QStringLiteral("bin/vandrel"),
        QStringLiteral("bin/vandrel-cli"),
        QStringLiteral("share/applications/%1.desktop").arg(AppId),
        QStringLiteral("share/metainfo/%1.metainfo.xml").arg(AppId),
        QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(AppId),
        QStringLiteral("share/man/man1/vandrel-cli.1"),
        QStringLiteral("share/man/man6/vandrel.6"),
    };
    for (const int size : IconSizes)
        expected.insert(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(AppId));
    EXPECT_EQ(InstalledFiles(), expected);
}

TEST_F(InstallTest, ProgramsAreTheBuiltOnesAndRun)
{
    for (const QString& name : {QStringLiteral("vandrel"), QStringLiteral("vandrel-cli")}) {
        const QFileInfo installed(Installed(QStringLiteral("bin/") + name));
        EXPECT_TRUE(installed.isExecutable()) << name.toStdString();
        EXPECT_GT(installed.size(), 0) << name.toStdString();
    }
    // The installed tool runs outside the build tree.
    const ProcessResult sample = RunProgram(Installed(QStringLiteral("bin/vandrel-cli")), {QStringLiteral("sample")});
    ASSERT_TRUE(sample.Started);
    EXPECT_EQ(sample.ExitCode, 0) << sample.Err.toStdString();
    EXPECT_TRUE(sample.Out.startsWith("  70\r\n   0   0\r\n")) << sample.Out.left(40).toStdString();
}

// ---- Desktop entry ----------------------------------------------------------------

// The keys of the [Desktop Entry] group; a malformed line fails the test.
std::map<QString, QString> DesktopEntry(const QByteArray& bytes)
{
    std::map<QString, QString> keys;
    const QString text = QString::fromUtf8(bytes);
    EXPECT_EQ(text.toUtf8(), bytes) << "not UTF-8";
    static const QRegularExpression keyLine(QStringLiteral("^([A-Za-z0-9-]+(\\[[A-Za-z_@.]+\\])?)=(.*)$"));
    QString group;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = line.mid(1, line.size() - 2);
            continue;
        }
        const QRegularExpressionMatch m = keyLine.match(line);
        EXPECT_TRUE(m.hasMatch()) << "malformed line: " << line.toStdString();
        EXPECT_FALSE(group.isEmpty()) << "key before any group: " << line.toStdString();
        if (m.hasMatch() && group == QLatin1String("Desktop Entry")) {
            EXPECT_FALSE(keys.count(m.captured(1))) << "key twice: " << m.captured(1).toStdString();
            keys[m.captured(1)] = m.captured(3);
        }
    }
    return keys;
}

TEST_F(InstallTest, DesktopEntryStartsTheGameUnderItsNameAndIcon)
{
    const QByteArray bytes = ReadAll(Installed(QStringLiteral("share/applications/%1.desktop").arg(AppId)));
    ASSERT_FALSE(bytes.isEmpty());
    // The group comes first, after comments only.
    const QByteArrayList lines = bytes.split('\n');
    const auto first = std::find_if(lines.begin(), lines.end(),
                                    [](const QByteArray& line) { return !line.startsWith('#'); });
    ASSERT_NE(first, lines.end());
    EXPECT_EQ(*first, QByteArray("[Desktop Entry]"));
    auto keys = DesktopEntry(bytes);
    EXPECT_EQ(keys["Type"], QStringLiteral("Application"));
    EXPECT_EQ(keys["Name"], QStringLiteral("ソラドミ"));
    EXPECT_EQ(keys["Exec"], QStringLiteral("vandrel"));
    EXPECT_TRUE(QFileInfo(Installed(QStringLiteral("bin/") + keys["Exec"])).isExecutable());
    EXPECT_EQ(keys["Terminal"], QStringLiteral("false"));

    // A generic name in English and one in Japanese.
    EXPECT_FALSE(keys["GenericName"].isEmpty());
    EXPECT_FALSE(keys["GenericName[ja]"].isEmpty());
    EXPECT_NE(keys["GenericName"], keys["GenericName[ja]"]);
    EXPECT_TRUE(keys["GenericName[ja]"].contains(QStringLiteral("パズル")));

    // A list ends with ';'.
    const QString categories = keys["Categories"];
    EXPECT_TRUE(categories.endsWith(QLatin1Char(';')));
    const QStringList list = categories.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    EXPECT_TRUE(list.contains(QStringLiteral("Game")));
    EXPECT_TRUE(list.contains(QStringLiteral("LogicGame")));

    // The icon is named, not a path, and the theme has it at every size.
    EXPECT_EQ(keys["Icon"], AppId);
    EXPECT_TRUE(QFile::exists(Installed(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(keys["Icon"]))));
    for (const int size : IconSizes)
        EXPECT_TRUE(QFile::exists(
            Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(keys["Icon"]))))
            << size;
}

// ---- Icons --------------------------------------------------------------------------

// Width and height from a PNG's header chunk, or nothing for a file that is not a PNG.
std::optional<std::pair<quint32, quint32>> PngSize(const QByteArray& png)
{
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (png.size() < 24 || !png.startsWith(signature) || png.mid(12, 4) != "IHDR")
        return std::nullopt;
    const auto be32 = [&](int at) {
        return quint32(quint8(png[at])) << 24 | quint32(quint8(png[at + 1])) << 16 |
               quint32(quint8(png[at + 2])) << 8 | quint32(quint8(png[at + 3]));
    };
    return std::pair(be32(16), be32(20));
}

TEST_F(InstallTest, IconsAreTheSvgAndPngsOfTheirDirectorysSize)
{
    QXmlStreamReader svg(ReadAll(Installed(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(AppId))));
    ASSERT_TRUE(svg.readNextStartElement()) << svg.errorString().toStdString();
    EXPECT_EQ(svg.name(), QLatin1String("svg"));
    EXPECT_EQ(svg.attributes().value(QLatin1String("viewBox")), QLatin1String("0 0 256 256"));
    while (!svg.atEnd())
        svg.readNext();
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();

    for (const int size : IconSizes) {
        const auto png = PngSize(ReadAll(Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(AppId))));
        ASSERT_TRUE(png) << size;
        EXPECT_EQ(png->first, quint32(size));
        EXPECT_EQ(png->second, quint32(size));
    }
}

// ---- Metainfo -----------------------------------------------------------------------

TEST_F(InstallTest, MetainfoNamesTheDesktopEntryAndTheProgram)
{
    QXmlStreamReader xml(ReadAll(Installed(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(AppId))));
    std::map<QString, QStringList> texts;  // leaf element to its texts, other languages left out
    static const QStringList leaves = {QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("launchable"),
                                       QStringLiteral("binary"), QStringLiteral("category")};
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        if (name == QLatin1String("component")) {
            EXPECT_EQ(xml.attributes().value(QLatin1String("type")), QLatin1String("desktop-application"));
        } else if (name == QLatin1String("launchable")) {
            EXPECT_EQ(xml.attributes().value(QLatin1String("type")), QLatin1String("desktop-id"));
        }
        if (leaves.contains(name) && !xml.attributes().hasAttribute(QLatin1String("xml:lang")))
            texts[name].append(xml.readElementText().simplified());
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(texts["id"], QStringList{AppId});
    EXPECT_EQ(texts["name"], QStringList{QStringLiteral("ソラドミ")});
    EXPECT_EQ(texts["launchable"], QStringList{AppId + QStringLiteral(".desktop")});
    EXPECT_TRUE(texts["binary"].contains(QStringLiteral("vandrel")));
    EXPECT_TRUE(texts["binary"].contains(QStringLiteral("vandrel-cli")));
    EXPECT_TRUE(texts["category"].contains(QStringLiteral("LogicGame")));
}

TEST_F(InstallTest, MetainfoPassesAppstreamValidation)
{
    const QString appstreamcli = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    if (appstreamcli.isEmpty())
        GTEST_SKIP() << "appstreamcli is not installed (Debian package appstream)";
    const ProcessResult validate = RunProgram(appstreamcli, {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                                   QStringLiteral("--strict"),
                                                   Installed(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(AppId))});
    ASSERT_TRUE(validate.Started);
    EXPECT_EQ(validate.ExitCode, 0) << validate.Out.toStdString() << validate.Err.toStdString();
}

// ---- Manual page --------------------------------------------------------------------

// The tag lines of the COMMANDS section, with font changes dropped and
// escaped hyphens made plain: "demo FILE [--max-steps N]".
QStringList ManualCommandTags(const QByteArray& page)
{
    QStringList tags;
    const QStringList lines = QString::fromUtf8(page).split(QLatin1Char('\n'));
    bool inCommands = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(QLatin1String(".SH"))) {
            inCommands = lines[i] == QLatin1String(".SH COMMANDS");
        } else if (inCommands && lines[i] == QLatin1String(".TP") && i + 1 < lines.size()) {
            tags.append(QString(lines[i + 1])
                            .remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")))
                            .replace(QLatin1String("\\-"), QLatin1String("-")));
        }
    }
    return tags;
}

TEST_F(InstallTest, ManualPageDescribesTheCommandsTheToolHas)
{
    const QByteArray page = ReadAll(Installed(QStringLiteral("share/man/man1/vandrel-cli.1")));
    ASSERT_FALSE(page.isEmpty());
    EXPECT_TRUE(page.contains(".TH VANDREL-CLI 1 "));
    const QStringList tags = ManualCommandTags(page);

    // The commands the tool's own help lists, each with its usage line.
    const QString cli = Installed(QStringLiteral("bin/vandrel-cli"));
    const ProcessResult help = RunProgram(cli, {QStringLiteral("--help")});
    ASSERT_EQ(help.ExitCode, 0);
    QStringList commands;
    static const QRegularExpression commandLine(QStringLiteral("^  ([a-z]+) "));
    for (const QString& line : QString::fromUtf8(help.Out).split(QLatin1Char('\n')))
        if (const auto m = commandLine.match(line); m.hasMatch())
            commands.append(m.captured(1));
    ASSERT_FALSE(commands.isEmpty()) << help.Out.toStdString();

    QStringList usages;
    for (const QString& command : commands) {
        const ProcessResult own = RunProgram(cli, {command, QStringLiteral("--help")});
        ASSERT_EQ(own.ExitCode, 0) << command.toStdString();
        const QString first = QString::fromUtf8(own.Out).section(QLatin1Char('\n'), 0, 0);
        ASSERT_TRUE(first.startsWith(QLatin1String("usage: vandrel-cli "))) << first.toStdString();
        usages.append(first.mid(QStringLiteral("usage: vandrel-cli ").size()));
    }
    usages.append(QStringLiteral("[COMMAND] --help"));
    usages.append(QStringLiteral("[COMMAND] --version"));
    EXPECT_EQ(tags, usages);
}

TEST_F(InstallTest, ManualPagesFormatWithoutWarnings)
{
    const QString groff = QStandardPaths::findExecutable(QStringLiteral("groff"));
    if (groff.isEmpty())
        GTEST_SKIP() << "groff is not installed (Debian package groff-base)";
    for (const QString& page : {QStringLiteral("man1/vandrel-cli.1"), QStringLiteral("man6/vandrel.6")}) {
        // -k reads the page's UTF-8 (the game's page names its Japanese buttons), as man does.
        const ProcessResult format = RunProgram(groff, {QStringLiteral("-k"), QStringLiteral("-man"), QStringLiteral("-Tutf8"),
                                                        QStringLiteral("-ww"), QStringLiteral("-z"),
                                                        Installed(QStringLiteral("share/man/") + page)});
        ASSERT_TRUE(format.Started);
        EXPECT_EQ(format.ExitCode, 0) << page.toStdString();
        EXPECT_TRUE(format.Err.isEmpty()) << page.toStdString() << ": " << format.Err.toStdString();
    }
}

} // namespace
