// UserData.cpp: the preferences through QSettings, and the kept play and the marks as files of the game's own, written atomically.
#include "ui/UserData.h"

#include <utility>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include "core/RunErrors.h"
#include "files/TextFile.h"

namespace {

// A kept play of 255 points and the most moves a play holds stays far below this.
constexpr qint64 KeptPlayMaxBytes = 1 << 20;

const char* const LevelNames[] = {"easy", "normal", "hard"};

int IntIn(const QSettings& settings, const char* key, int low, int high, int fallback)
{
    bool ok = false;
    const int value = settings.value(QLatin1String(key)).toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

bool BoolOf(const QSettings& settings, const char* key, bool fallback)
{
    const QString value = settings.value(QLatin1String(key)).toString();
    return value == QLatin1String("true") ? true : value == QLatin1String("false") ? false : fallback;
}

} // namespace

TUserPlaces TUserPlaces::Standard()
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QCoreApplication::organizationName(),
                             QCoreApplication::applicationName());
    return {settings.fileName(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)};
}

TUserPlaces TUserPlaces::In(const QString& folder)
{
    return {QDir(folder).filePath(QStringLiteral("vandrel.ini")), folder};
}

TPreferences TUserData::LoadPreferences() const
{
    TPreferences& p = known_.emplace();
    const QSettings settings(places_.SettingsFile, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return p;
    p.WaitPosition = IntIn(settings, "demonstration/wait", 1, 5, p.WaitPosition);
    p.ShortestSteps = BoolOf(settings, "demonstration/shortest", p.ShortestSteps);
    p.Motion = BoolOf(settings, "play/motion", p.Motion);
    p.Folder = settings.value(QStringLiteral("files/folder")).toString();
    p.RandomPoints = IntIn(settings, "random/points", 2, MaxPoints, p.RandomPoints);
    const QString level = settings.value(QStringLiteral("random/difficulty")).toString();
    for (int i = 0; i < 3; ++i) {
        if (level == QLatin1String(LevelNames[i]))
            p.RandomLevel = static_cast<Difficulty>(i);
    }
    return p;
}

void TUserData::SavePreferences(const TPreferences& p) const
{
    // QSettings writes the keys set here into the file as it stands now.
    QSettings settings(places_.SettingsFile, QSettings::IniFormat);
    const auto put = [&](const char* key, const QVariant& value, bool changed) {
        if (!known_ || changed)
            settings.setValue(QLatin1String(key), value);
    };
    const TPreferences was = known_.value_or(p);
    put("demonstration/wait", p.WaitPosition, p.WaitPosition != was.WaitPosition);
    put("demonstration/shortest", p.ShortestSteps, p.ShortestSteps != was.ShortestSteps);
    put("play/motion", p.Motion, p.Motion != was.Motion);
    put("files/folder", p.Folder, p.Folder != was.Folder);
    put("random/points", p.RandomPoints, p.RandomPoints != was.RandomPoints);
    put("random/difficulty", QLatin1String(LevelNames[static_cast<int>(p.RandomLevel)]), p.RandomLevel != was.RandomLevel);
    known_ = p;
}

QString TUserData::PlayFile() const
{
    return QDir(places_.DataFolder).filePath(QStringLiteral("play.txt"));
}

QString TUserData::MarksFile() const
{
    return QDir(places_.DataFolder).filePath(QStringLiteral("fewest.txt"));
}

std::optional<SavedPlay> TUserData::KeptPlay(std::ostream& err) const
{
    const QString file = PlayFile();
    if (!QFile::exists(file))
        return std::nullopt;
    std::optional<SavedPlay> play;
    std::string why;
    try {
        play = ParseSavedPlay(ReadFileBytes(file, KeptPlayMaxBytes).toStdString(), &why);
    } catch (const ERunError& e) {
        why = e.what();
    }
    if (!play) {
        err << "vandrel: the play kept in " << file.toStdString() << " is ignored: " << why << '\n';
        QFile::remove(file);
    }
    return play;
}

void TUserData::ForgetKeptPlay() const
{
    QFile::remove(PlayFile());
}

void TUserData::KeepPlay(const std::optional<SavedPlay>& play)
{
    if (!play) {
        if (std::exchange(keptPlay_, false))
            ForgetKeptPlay();
        return;
    }
    QDir().mkpath(places_.DataFolder);
    WriteFileAtomically(PlayFile(), QByteArray::fromStdString(FormatSavedPlay(*play)));
    keptPlay_ = true;
}

QStringList TUserData::ReadMarks() const
{
    if (!QFile::exists(MarksFile()))
        return {};
    return QString::fromUtf8(ReadFileBytes(MarksFile(), RecordsFileMaxBytes)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList TUserData::FewestSolved() const
{
    try {
        return ReadMarks();
    } catch (const ERunError&) {
        // Without its marks the collection is still there to play.
        return {};
    }
}

void TUserData::MarkFewestSolved(const QString& name) const
{
    // Marks that cannot be read are not written over with this one alone.
    QStringList names = ReadMarks();
    if (names.contains(name))
        return;
    names.append(name);
    QDir().mkpath(places_.DataFolder);
    WriteFileAtomically(MarksFile(), (names.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}
