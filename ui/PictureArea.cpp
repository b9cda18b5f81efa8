// PictureArea.cpp: building the picture's panel, drawing the game's picture, and the operation menu beside a picked point.
#include "ui/PictureArea.h"

#include <QPlainTextEdit>
#include <QRadioButton>
#include <QResizeEvent>

#include "core/Moves.h"
#include "plot/MyImageU.h"
#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/PictureDrawing.h"
#include "ui/PlayOverlay.h"

namespace {

// The hinted operation stands out in the group until the group is placed again.
const QString HintedItemStyle = QStringLiteral("color: #c00000; font-weight: bold;");

} // namespace

TPictureArea::TPictureArea(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
    setObjectName(QStringLiteral("PanelImage"));

    MemoSetsumei = new QPlainTextEdit(this);
    MemoSetsumei->setGeometry(15, -44, 653, 566);
    MemoSetsumei->setReadOnly(true);
    MemoSetsumei->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoSetsumei->setFont(PGothic(17, true));
    SetTextColour(MemoSetsumei, palette().color(QPalette::WindowText));
    MemoSetsumei->setPlainText(HelpLines().join(QLatin1Char('\n')));
    MemoSetsumei->hide();

    RadioGroupSousa = new TRadioGroup(
        QStringLiteral("操作"),
        {QStringLiteral("  (キャンセル)"), QStringLiteral("R (右回転)"), QStringLiteral("L (左回転)"),
         QStringLiteral("H (上下反転)"), QStringLiteral("V (左右反転)")},
        this);
    RadioGroupSousa->resize(140, 130);
    RadioGroupSousa->setFont(Gothic(12));
    SetTextColour(RadioGroupSousa, Qt::black);
    SetBackground(RadioGroupSousa, ButtonFace());
    RadioGroupSousa->hide();

    PanelTesuu = new TPlayOverlay(this);
    NameControls({{MemoSetsumei, "MemoSetsumei"}, {RadioGroupSousa, "RadioGroupSousa"}});
    // However small the window, the picture holds the panel whole.
    setMinimumSize(TPlayOverlay::Width + 2 * TPlayOverlay::Inset, TPlayOverlay::Height + 2 * TPlayOverlay::Inset);
}

TMyImage* TPictureArea::CreatePlotImage()
{
    PlotImage = new TMyImage(this);
    PlotImage->setObjectName(QStringLiteral("PlotImage"));
    PlotImage->lower();  // the help text, the operation group and the panel lie on top of it
    PlotImage->show();
    PlotImage->SetUnit(20);
    return PlotImage;
}

void TPictureArea::Draw(const Picture& picture)
{
    if (PlotImage)
        DrawPicture(*PlotImage, picture);
}

void TPictureArea::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    PanelTesuu->Place();
}

void TPictureArea::ShowStatus(const GameStatus& status)
{
    PanelTesuu->ShowStatus(status);
    PlaceOperations(status.Operations);
}

// The group hangs below a click in the upper half and stands above it in the
// lower; it lies 32 pixels right of a click in the left half and ends 32
// pixels left of one in the right. Placed afresh for every pick.
void TPictureArea::PlaceOperations(const OperationMenu& menu)
{
    const OperationMenu before = operations_;
    operations_ = menu;
    if (!menu.Shown) {
        RadioGroupSousa->hide();
        return;
    }
    if (!before.Shown || before.ClickX != menu.ClickX || before.ClickY != menu.ClickY) {
        const int w = PlotImage ? PlotImage->width() : width();
        const int h = PlotImage ? PlotImage->height() : height();
        const int top = menu.ClickY < h / 2 ? menu.ClickY : menu.ClickY - RadioGroupSousa->height();
        const int left = menu.ClickX < w / 2 ? menu.ClickX + 32 : menu.ClickX - RadioGroupSousa->width() - 32;
        RadioGroupSousa->move(left, top);
        RadioGroupSousa->SetItemIndex(-1);
    }
    for (int op = OpCancel; op <= OpV; ++op)
        RadioGroupSousa->Item(op)->setStyleSheet(op == menu.HintedOp ? HintedItemStyle : QString());
    RadioGroupSousa->show();
    // The operation group and the explanation stay on top of the play's panel.
    PanelTesuu->raise();
    RadioGroupSousa->raise();
    MemoSetsumei->raise();
}
const QStringList& TPictureArea::HelpLines()
{
    static const QStringList lines = {
        QStringLiteral("  パズル　ソラドミ"),
        QString(),
        QStringLiteral("  目的"),
        QStringLiteral("    原点から始めて，縦または横に格子点を通って進む経路を考える。"),
        QStringLiteral("    同じ点を二度通らないような経路を，回路無し経路と呼ぶ。"),
        QString(),
        QStringLiteral("    回路無し経路上の一点Ｐを選び，次の４つの操作のいずれかを行う。"),
        QStringLiteral("      Ｒ：Ｐから終点までの部分を，90゜右回転する。"),
        QStringLiteral("      Ｌ：Ｐから終点までの部分を，90゜左回転する。"),
        QStringLiteral("      Ｈ：Ｐから終点までの部分を，Ｐを通る水平線に対称に折り返す。"),
        QStringLiteral("      Ｖ：Ｐから終点までの部分を，Ｐを通る鉛直線に対称に折り返す。"),
        QStringLiteral("    ただし，変更後の経路も回路無し経路にならないといけない。"),
        QString(),
        QStringLiteral("    この操作を繰り返して，ｘ軸の正の部分と重なる直線経路にしなさい。"),
        QString(),
        QStringLiteral("  問題（経路）入力"),
        QStringLiteral("    入力開始ボタンをクリックすると，マウスが原点に移動する。"),
        QStringLiteral("    マウスを次の曲がり角まで移動してクリックする。　これを繰り返す。"),
        QStringLiteral("    終点まで進んだら，ダブルクリックするか入力終了ボタンをクリックする。。"),
        QString(),
        QStringLiteral("  パズル実行"),
        QStringLiteral("    経路上の点Ｐをクリックする。"),
        QStringLiteral("    操作を選択する。"),
        QString(),
        QStringLiteral("  自動（コンピュータが解答例を示す）"),
        QStringLiteral("    次ボタンをクリックすると，操作を１回実行する。"),
        QStringLiteral("    ダブルクリックすると，連続実行する。"),
        QString(),
        QStringLiteral("  座標系"),
        QStringLiteral("    左端のトラックバーで，拡大縮小できる。　　　　"),
        QStringLiteral("    矢印ボタンで，上下左右に平行移動できる。　　　　　　　　"),
        QString(),
        QStringLiteral(" "),
    };
    return lines;
}
