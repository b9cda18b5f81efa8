// Messages.h: what the window says to the player, word for word.
#pragma once

#include <QString>
#include <QStringList>

#include "game/FrontEnd.h"

namespace Messages {

inline const QString Caption = QStringLiteral("ソラドミ");

// Questions before discarding work; the dialog offers "はい(&Y)" and "キャンセル".
inline const QString QuitQuestion = QStringLiteral("保存してませんが，終了しますか");
inline const QString SwitchQuestion = QStringLiteral("保存してませんが，移動しますか");
inline const QString RestartQuestion = QStringLiteral("途中ですが，最初からやり直しますか ? ");
inline const QString NewProblemQuestion = QStringLiteral("保存してませんが，新しい問題を作りますか ? ");

inline const QString Solved = QStringLiteral("　　お　め　で　と　う　　");
inline const QString Failure = QStringLiteral("　　失　　敗　　");
inline const QString HistoryFull =
    QStringLiteral("これ以上の手は記録できません（一回のプレイは 65535 手までです）");
inline const QString PathFull = QStringLiteral("経路は 255 点までです。ここから先は入力できません。");

// The words of each of the game's messages and questions.
inline QString Of(GameMessage message)
{
    switch (message) {
    case GameMessage::Failure: return Failure;
    case GameMessage::Solved: return Solved;
    case GameMessage::HistoryFull: return HistoryFull;
    case GameMessage::PathFull: return PathFull;
    }
    return QString();
}

inline QString Of(GameQuestion question)
{
    switch (question) {
    case GameQuestion::Quit: return QuitQuestion;
    case GameQuestion::SwitchMode: return SwitchQuestion;
    case GameQuestion::NewProblem: return NewProblemQuestion;
    case GameQuestion::Restart: return RestartQuestion;
    }
    return QString();
}

inline const QString ShowHelp = QStringLiteral("説明表示");
inline const QString HideHelp = QStringLiteral("説明非表示");

// The panel over the picture during puzzle play.
inline const QString HintButton = QStringLiteral("ヒント");
inline const QString RedoButton = QStringLiteral("一手進む");
inline const QString HintUsed = QStringLiteral("ヒント使用");

inline const QString RandomButton = QStringLiteral("乱数問題");

// The graded collection and the problem of the day.
inline const QString CollectionButton = QStringLiteral("問題集");
inline const QStringList CollectionColumns = {QStringLiteral("番号"), QStringLiteral("点数"), QStringLiteral("難しさ"),
                                              QStringLiteral("最短"), QStringLiteral("記録"), QStringLiteral("最短で解いた")};
inline const QString PlayChosen = QStringLiteral("遊ぶ");
inline const QString NextUnsolved = QStringLiteral("次の問題");
inline const QString DailyProblem = QStringLiteral("今日の問題");
inline const QString SolvedMark = QStringLiteral("★");

// A play kept when the game was last closed.
inline const QString ResumeQuestion = QStringLiteral("前回の続きから再開しますか？");
inline const QString CopyCodeButton = QStringLiteral("コピー");
inline const QString CopyCodeTip = QStringLiteral("問題番号をクリップボードにコピーします（Ctrl+C）");
inline const QString MotionOption = QStringLiteral("動きを表示");
inline const QString ShortestOption = QStringLiteral("最短手順");
inline const QString ParPending = QStringLiteral("最短 …");

// "最短 P": the fewest moves from the problem's first position, proven.
inline QString Par(int moves)
{
    return QStringLiteral("最短 %1").arg(moves);
}

// "最短 ≤P": the fewest moves found when the search ran out of time.
inline QString ParAtMost(int moves)
{
    return QStringLiteral("最短 ≤%1").arg(moves);
}

// The dialog of a random problem.
inline const QString PointsLabel = QStringLiteral("点の数");
inline const QString DifficultyLabel = QStringLiteral("難しさ");
inline const QString CodeLabel = QStringLiteral("問題番号");
inline const QString CodeExample = QStringLiteral("例 70-1234567-h（空なら新しい問題）");

// Easy, normal and hard, in the order of Difficulty.
inline QStringList DifficultyNames()
{
    return {QStringLiteral("やさしい"), QStringLiteral("ふつう"), QStringLiteral("むずかしい")};
}

// A problem code typed into the random problem's dialog that names no problem.
inline QString BadProblemCode(const QString& code)
{
    return QStringLiteral("'%1' は問題番号ではありません").arg(code);
}

// "最短 P", "最短 ≤P", "最短 …" or nothing: the fewest moves as far as they are known.
inline QString ParText(const ParFigure& par)
{
    switch (par.Known) {
    case ParFigure::Pending: return ParPending;
    case ParFigure::Proven: return Par(par.Moves);
    case ParFigure::AtMost: return ParAtMost(par.Moves);
    default: return QString();
    }
}

// "手数 M": the moves of the play so far.
inline QString MoveCounter(int moves)
{
    return QStringLiteral("手数 %1").arg(moves);
}

// The sample's name; it keeps no record.
inline const QString SampleName = QStringLiteral("Vandrel000");

// "ソラドミ　NAME     60000分 0秒": the caption of a named problem and its best time.
inline QString CaptionFor(const QString& name, std::int32_t bestSeconds)
{
    return QStringLiteral("ソラドミ　") + name + QString::asprintf("%10d分%2d秒", bestSeconds / 60, bestSeconds % 60);
}

// A problem text that is no problem: "FILE の LINE 行目: why", or without a file "LINE 行目: why".
inline QString ProblemLineError(const QString& fileName, int line, const QString& why)
{
    const QString where = QStringLiteral("%1 行目: %2").arg(line).arg(why);
    return fileName.isEmpty() ? where : QStringLiteral("%1 の %2").arg(fileName, where);
}

}  // namespace Messages
