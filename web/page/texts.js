// texts.js: what the page says to the player, word for word as the window says it.

export const Caption = 'ソラドミ';
export const SampleName = 'Vandrel000';

// GameMessage, in its order: 失敗, おめでとう, the history full, the path full.
export const Messages = [
  '　　失　　敗　　',
  '　　お　め　で　と　う　　',
  'これ以上の手は記録できません（一回のプレイは 65535 手までです）',
  '経路は 255 点までです。ここから先は入力できません。',
];

// GameQuestion, in its order: quit, switch modes, a new problem, start over.
export const Questions = [
  '保存してませんが，終了しますか',
  '保存してませんが，移動しますか',
  '保存してませんが，新しい問題を作りますか ? ',
  '途中ですが，最初からやり直しますか ? ',
];

export const ShowHelp = '説明表示';
export const HideHelp = '説明非表示';

export const moveCounter = (moves) => `手数 ${moves}`;

// "最短 P", "最短 ≤P", "最短 …" or nothing, by ParFigure's kind.
export function parText(par) {
  switch (par.known) {
    case 1: return '最短 …';
    case 2: return `最短 ${par.moves}`;
    case 3: return `最短 ≤${par.moves}`;
    default: return '';
  }
}

// "ソラドミ　NAME     60000分 0秒": the caption of a named problem and its best time.
export function captionFor(name, bestSeconds) {
  const minutes = String(Math.trunc(bestSeconds / 60)).padStart(10);
  const seconds = String(bestSeconds % 60).padStart(2);
  return `${Caption}　${name}${minutes}分${seconds}秒`;
}

export const badProblemCode = (code) => `'${code}' は問題番号ではありません`;
// The page's own: the window's copy to the clipboard cannot be refused.
export const CopyFailed = '問題番号をコピーできませんでした';
// An address with a code while the play is on, as the window's buttons for new problems are off then.
export const NoNewProblemInPlay = 'プレイ中は問題を変更できません';
// The game's module could not be loaded or started in this browser.
export const StartFailed = 'このブラウザではゲームを開始できません';

// A problem text that is no problem: "FILE の LINE 行目: why".
export const problemLineError = (fileName, line, why) => `${fileName} の ${line} 行目: ${why}`;
