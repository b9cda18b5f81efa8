// UserData.h: what the game keeps of a player between runs: preferences, a play left open, the problems solved in the fewest moves.
#pragma once

#include <optional>
#include <ostream>

#include <QString>
#include <QStringList>

#include "game/SavedPlay.h"
#include "solver/Generator.h"

// Where the player's files are: the preferences, and a folder of the game's own.
struct TUserPlaces {
    QString SettingsFile;  // INI, through QSettings
    QString DataFolder;    // the kept play and the marks of solved problems

    // The usual per-user places: the configuration folder for the
    // preferences, the data folder (QStandardPaths::AppDataLocation) for the rest.
    static TUserPlaces Standard();
    // Both in `folder`.
    static TUserPlaces In(const QString& folder);
};

// What the player chose last time; anything missing or beyond its range is
// the default, which is also what a new player gets.
struct TPreferences {
    int WaitPosition = 3;        // the demonstration's wait, 1..5
    bool ShortestSteps = false;  // 最短手順
    bool Motion = true;          // 動きを表示
    QString Folder;              // of the last problem file opened or saved
    int RandomPoints = 70;       // 乱数問題's size, 2..255
    Difficulty RandomLevel = Difficulty::Normal;
    bool operator==(const TPreferences&) const = default;
};

class TUserData {
public:
    explicit TUserData(TUserPlaces places) : places_(std::move(places)) {}

    const TUserPlaces& Places() const { return places_; }

    // The preferences kept; the defaults when the file is missing or broken.
    TPreferences LoadPreferences() const;
    // Writes the preferences this copy of the game changed since it loaded
    // or saved them, and only those: another copy's choices stay.
    void SavePreferences(const TPreferences& preferences) const;

    // The play kept at the last close, left in its file until the player has
    // answered for it (ForgetKeptPlay): nothing when there is none, and
    // nothing with a line on `err` when it cannot be read (that file goes).
    std::optional<SavedPlay> KeptPlay(std::ostream& err) const;
    void ForgetKeptPlay() const;
    // Keeps a play for the next start; without one, forgets the play this
    // copy of the game kept before, and only that: another copy's stays.
    // Raises EFileError when the play cannot be written.
    void KeepPlay(const std::optional<SavedPlay>& play);

    // The record names of the problems solved in the fewest moves; none when
    // they cannot be read.
    QStringList FewestSolved() const;
    // Adds a name to them. Raises EFileError when they cannot be read or written.
    void MarkFewestSolved(const QString& name) const;

private:
    QString PlayFile() const;
    QString MarksFile() const;
    QStringList ReadMarks() const;

    TUserPlaces places_;
    bool keptPlay_ = false;  // this copy wrote the kept play's file
    mutable std::optional<TPreferences> known_;  // as this copy last loaded or saved them
};
