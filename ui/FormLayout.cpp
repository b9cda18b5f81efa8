// FormLayout.cpp: building the window: the zoom strip, the picture and the right-hand panel.
#include "ui/VandrelPathU.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "plot/MyImageU.h"
#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/Messages.h"
#include "ui/VandrelApplication.h"

namespace {

QFrame* Panel(QWidget* parent, bool bevel = true)
{
    auto* panel = new QFrame(parent);
    panel->setFrameShape(bevel ? QFrame::Panel : QFrame::NoFrame);
    panel->setFrameShadow(QFrame::Raised);
    return panel;
}

// A mode panel: a fixed-height box with a centred title and buttons at fixed places.
QFrame* ModePanel(QWidget* parent, int height, const QString& title, QLabel*& label)
{
    QFrame* panel = Panel(parent);
    panel->setFixedHeight(height);
    SetBackground(panel, InactiveCaption);
    label = new QLabel(title, panel);
    label->setGeometry(1, 1, 132, 27);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(Gothic(16, true));
    SetTextColour(label, Qt::black);
    return panel;
}

TPressButton* PlaceButton(QWidget* panel, const QString& caption, int top, int height,
                          int tag = 0, int left = 8, int width = 120)
{
    auto* button = new TPressButton(caption, panel, tag);
    button->setGeometry(left, top, width, height);
    return button;
}

} // namespace

TFormMain::TFormMain(TDialogs& dialogs, TClock& clock) : dialogs_(dialogs), clock_(clock)
{
    setWindowTitle(Messages::Caption);
    resize(850, 512);
    setFont(PGothic(12));
    SetTextColour(this, Qt::yellow);
    SetBackground(this, ButtonFace());
    BuildLayout();
    NameControls();
    ConnectHandlers();
    CreateShortcuts();

    // FormCreate: maximised, and the managed buttons in their bit order.
    setWindowState(Qt::WindowMaximized);
    ManagedButtons = {ButtonNyuuryokuBegin, ButtonSave, ButtonStart, ButtonUndo,
                      ButtonPause, ButtonContinue, ButtonSaveAll, ButtonOpenAll};

    // The window sees every key before the control that has the focus.
    qApp->installEventFilter(this);
    // Run-time errors of any handler reach the player through this window's dialogs.
    if (TVandrelApplication* app = TVandrelApplication::Instance())
        app->SetReporter([this](const QString& text) { dialogs_.ShowMessage(this, text); });
}

TFormMain::~TFormMain()
{
    qApp->removeEventFilter(this);
    if (TVandrelApplication* app = TVandrelApplication::Instance())
        app->ResetReporter();
}

void TFormMain::BuildLayout()
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    BuildCoordinatePanel();
    PanelImage = Panel(this, false);
    PanelImage->setMinimumSize(40, 40);
    BuildMainPanel();
    BuildImageChildren();

    row->addWidget(PanelZahyouHenkan);
    row->addWidget(PanelImage, 1);
    row->addWidget(PanelMain);

    Timer = new QTimer(this);
    Timer->setInterval(1000);
}

void TFormMain::BuildCoordinatePanel()
{
    PanelZahyouHenkan = Panel(this);
    PanelZahyouHenkan->setFixedWidth(40);
    auto* column = new QVBoxLayout(PanelZahyouHenkan);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(0);

    TrackBarUnit = new QSlider(Qt::Vertical, PanelZahyouHenkan);
    TrackBarUnit->setRange(3, 40);
    TrackBarUnit->setValue(20);
    TrackBarUnit->setPageStep(4);
    TrackBarUnit->setTickPosition(QSlider::TicksLeft);
    TrackBarUnit->setTickInterval(1);
    TrackBarUnit->setToolTip(QStringLiteral("爪を移動すると拡大・縮小します"));
    TrackBarUnit->setFocusPolicy(Qt::NoFocus);
    column->addWidget(TrackBarUnit, 1, Qt::AlignHCenter);

    PanelIdou = Panel(PanelZahyouHenkan, false);
    auto* arrows = new QVBoxLayout(PanelIdou);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    ButtonUp = new TPressButton(QStringLiteral("↑"), PanelIdou, ArrowUp);
    ButtonDown = new TPressButton(QStringLiteral("↓"), PanelIdou, ArrowDown);
    ButtonLeft = new TPressButton(QStringLiteral("←"), PanelIdou, ArrowLeft);
    ButtonRight = new TPressButton(QStringLiteral("→"), PanelIdou, ArrowRight);
    for (TPressButton* b : {ButtonUp, ButtonDown, ButtonLeft, ButtonRight}) {
        b->setFixedSize(33, 33);
        arrows->addWidget(b);
    }
    column->addWidget(PanelIdou, 0, Qt::AlignHCenter);
}

void TFormMain::BuildMainPanel()
{
    PanelMain = Panel(this);
    PanelMain->setFixedWidth(134);
    PanelMain->setFont(Gothic(16, true));
    SetTextColour(PanelMain, QApplication::palette().color(QPalette::WindowText));
    auto* stack = new QVBoxLayout(PanelMain);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    RadioGroupMenu = new TRadioGroup(QString(), {QStringLiteral("問題作成"), QStringLiteral("パズル実行")},
                                     PanelMain);
    RadioGroupMenu->setFixedHeight(65);
    stack->addWidget(RadioGroupMenu);

    PanelMondai = ModePanel(PanelMain, 143, QStringLiteral("問題作成"), LabelMondai);
    ButtonNyuuryokuBegin = PlaceButton(PanelMondai, QStringLiteral("開始"), 36, 29);
    ButtonNyuuryokuEnd = PlaceButton(PanelMondai, QStringLiteral("終了"), 69, 29);
    ButtonSave = PlaceButton(PanelMondai, QStringLiteral("保存"), 102, 29, SaveNamed);
    stack->addWidget(PanelMondai);

    PanelPuzzle = ModePanel(PanelMain, 315, QStringLiteral("パズル実行"), LabelPuzzle);
    ButtonOpenAll = PlaceButton(PanelPuzzle, QStringLiteral("開く"), 31, 28);
    ButtonStart = PlaceButton(PanelPuzzle, QStringLiteral("開始"), 64, 28);
    ButtonContinue = PlaceButton(PanelPuzzle, QStringLiteral("続行"), 98, 28);
    ButtonUndo = PlaceButton(PanelPuzzle, QStringLiteral("一手戻る"), 131, 28);
    ButtonPause = PlaceButton(PanelPuzzle, QStringLiteral("中断"), 165, 28);
    ButtonSaveAll = PlaceButton(PanelPuzzle, QStringLiteral("保存"), 198, 28, SaveCopy);
    PanelTime = new QLabel(QStringLiteral("  00分00秒"), PanelPuzzle);
    PanelTime->setGeometry(8, 233, 120, 28);
    PanelTime->setAlignment(Qt::AlignCenter);
    PanelTime->setFrameShape(QFrame::Panel);
    PanelTime->setFrameShadow(QFrame::Raised);
    PanelTime->setFont(Gothic(16, true));
    SetTextColour(PanelTime, Qt::red);
    ButtonJidou = PlaceButton(PanelPuzzle, QStringLiteral("自動"), 277, 28, 0, 12);
    stack->addWidget(PanelPuzzle);

    PanelJidou = Panel(PanelMain);
    PanelJidou->setFixedHeight(112);
    SetBackground(PanelJidou, InactiveCaption);
    ButtonStep = PlaceButton(PanelJidou, QStringLiteral("次"), 8, 28);
    ButtonStep->setToolTip(QStringLiteral("ダブルクリックすると連続実行"));
    LabelWait = new QLabel(QStringLiteral("短　 待ち時間　 長"), PanelJidou);
    LabelWait->setGeometry(4, 44, 126, 20);
    LabelWait->setFont(Gothic(12));
    TrackBarWait = new QSlider(Qt::Horizontal, PanelJidou);
    TrackBarWait->setGeometry(4, 66, 126, 36);
    TrackBarWait->setRange(1, 5);
    TrackBarWait->setValue(3);
    TrackBarWait->setPageStep(1);
    TrackBarWait->setTickPosition(QSlider::TicksBelow);
    TrackBarWait->setTickInterval(1);
    TrackBarWait->setFocusPolicy(Qt::NoFocus);
    stack->addWidget(PanelJidou);

    // The demonstration's option, shown with its panel just below it.
    PanelSaitan = Panel(PanelMain);
    PanelSaitan->setFixedHeight(30);
    SetBackground(PanelSaitan, InactiveCaption);
    CheckBoxSaitan = new QCheckBox(Messages::ShortestOption, PanelSaitan);
    CheckBoxSaitan->setGeometry(8, 4, 120, 22);
    CheckBoxSaitan->setFont(Gothic(12));
    CheckBoxSaitan->setFocusPolicy(Qt::NoFocus);
    SetTextColour(CheckBoxSaitan, Qt::black);
    PanelSaitan->hide();
    PanelJidou->installEventFilter(this);
    stack->addWidget(PanelSaitan);

    stack->addStretch(1);

    PanelClose = Panel(PanelMain, false);
    PanelClose->setFixedHeight(80);
    ButtonSetsumei = PlaceButton(PanelClose, Messages::ShowHelp, 7, 30, 0, 19, 96);
    ButtonClose = PlaceButton(PanelClose, QStringLiteral("終了"), 41, 30, 0, 20, 96);
    stack->addWidget(PanelClose);

    for (QPushButton* b : {ButtonNyuuryokuBegin, ButtonNyuuryokuEnd, ButtonSave, ButtonOpenAll,
                           ButtonStart, ButtonContinue, ButtonUndo, ButtonPause, ButtonSaveAll})
        b->setEnabled(false);
    ButtonStep->setEnabled(false);
    PanelMondai->hide();
    PanelPuzzle->hide();
    PanelJidou->hide();
}

void TFormMain::BuildImageChildren()
{
    MemoSetsumei = new QPlainTextEdit(PanelImage);
    MemoSetsumei->setGeometry(15, -44, 653, 566);
    MemoSetsumei->setReadOnly(true);
    MemoSetsumei->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoSetsumei->setFont(PGothic(17, true));
    SetTextColour(MemoSetsumei, QApplication::palette().color(QPalette::WindowText));
    MemoSetsumei->setPlainText(HelpLines().join(QLatin1Char('\n')));
    MemoSetsumei->hide();

    RadioGroupSousa = new TRadioGroup(
        QStringLiteral("操作"),
        {QStringLiteral("  (キャンセル)"), QStringLiteral("R (右回転)"), QStringLiteral("L (左回転)"),
         QStringLiteral("H (上下反転)"), QStringLiteral("V (左右反転)")},
        PanelImage);
    RadioGroupSousa->resize(140, 130);
    RadioGroupSousa->setFont(Gothic(12));
    SetTextColour(RadioGroupSousa, Qt::black);
    SetBackground(RadioGroupSousa, ButtonFace());
    RadioGroupSousa->hide();
    BuildOverlay();
}

// Each control is known by its name, as the window was designed: tests and
// tools find it by that name.
void TFormMain::NameControls()
{
    const std::pair<QObject*, const char*> names[] = {
        {PanelZahyouHenkan, "PanelZahyouHenkan"}, {TrackBarUnit, "TrackBarUnit"}, {PanelIdou, "PanelIdou"},
        {ButtonUp, "ButtonUp"}, {ButtonDown, "ButtonDown"}, {ButtonLeft, "ButtonLeft"}, {ButtonRight, "ButtonRight"},
        {PanelImage, "PanelImage"}, {PanelMain, "PanelMain"}, {RadioGroupMenu, "RadioGroupMenu"},
        {PanelMondai, "PanelMondai"}, {LabelMondai, "LabelMondai"}, {ButtonNyuuryokuBegin, "ButtonNyuuryokuBegin"},
        {ButtonNyuuryokuEnd, "ButtonNyuuryokuEnd"}, {ButtonSave, "ButtonSave"}, {PanelPuzzle, "PanelPuzzle"},
        {LabelPuzzle, "LabelPuzzle"}, {ButtonOpenAll, "ButtonOpenAll"}, {ButtonStart, "ButtonStart"},
        {ButtonContinue, "ButtonContinue"}, {ButtonUndo, "ButtonUndo"}, {ButtonPause, "ButtonPause"},
        {ButtonSaveAll, "ButtonSaveAll"}, {PanelTime, "PanelTime"}, {ButtonJidou, "ButtonJidou"},
        {PanelJidou, "PanelJidou"}, {ButtonStep, "ButtonStep"}, {LabelWait, "LabelWait"},
        {TrackBarWait, "TrackBarWait"}, {PanelClose, "PanelClose"}, {ButtonSetsumei, "ButtonSetsumei"},
        {ButtonClose, "ButtonClose"}, {MemoSetsumei, "MemoSetsumei"}, {RadioGroupSousa, "RadioGroupSousa"},
        {Timer, "Timer"}, {PanelTesuu, "PanelTesuu"}, {LabelTesuu, "LabelTesuu"}, {LabelSaitan, "LabelSaitan"},
        {LabelHintUsed, "LabelHintUsed"}, {ButtonHint, "ButtonHint"}, {ButtonRedo, "ButtonRedo"},
        {ButtonRandom, "ButtonRandom"}, {PanelSaitan, "PanelSaitan"}, {CheckBoxSaitan, "CheckBoxSaitan"},
    };
    for (const auto& [control, name] : names)
        control->setObjectName(QLatin1String(name));
}

void TFormMain::ConnectHandlers()
{
    // Every handler shows its own run-time error (RunGuarded).
    connect(TrackBarUnit, &QSlider::valueChanged, this, Guarded(this, &TFormMain::TrackBarUnitChange));
    for (TPressButton* b : {ButtonUp, ButtonDown, ButtonLeft, ButtonRight})
        connect(b, &TPressButton::MouseDown, this,
                Guarded([this, b](Qt::MouseButton, int shift) { ButtonUpMouseDown(b, shift); }));
    connect(RadioGroupMenu, &TRadioGroup::Clicked, this, Guarded(this, &TFormMain::RadioGroupMenuClick));
    connect(ButtonNyuuryokuBegin, &QPushButton::clicked, this, Guarded(this, &TFormMain::ButtonNyuuryokuBeginClick));
    connect(ButtonNyuuryokuEnd, &QPushButton::clicked, this, Guarded(this, &TFormMain::ButtonNyuuryokuEndClick));
    connect(ButtonSave, &QPushButton::clicked, this, Guarded([this] { ButtonSaveClick(ButtonSave->Tag()); }));
    connect(ButtonSaveAll, &QPushButton::clicked, this, Guarded([this] { ButtonSaveClick(ButtonSaveAll->Tag()); }));
    connect(ButtonOpenAll, &QPushButton::clicked, this, Guarded(this, &TFormMain::ButtonOpenClick));
    connect(ButtonStart, &QPushButton::clicked, this, Guarded(this, &TFormMain::ButtonStartClick));
    connect(ButtonContinue, &QPushButton::clicked, this, Guarded(this, &TFormMain::ButtonContinueClick));
    connect(ButtonUndo, &QPushButton::clicked, this, Guarded(this, &TFormMain::ButtonUndoClick));
    connect(ButtonPause, &QPushButton::clicked, this, Guarded(this, &TFormMain::ButtonPauseClick));
    connect(ButtonJidou, &QPushButton::clicked, this, Guarded(this, &TFormMain::ButtonJidouClick));
    connect(ButtonStep, &TPressButton::MouseDown, this,
            Guarded([this](Qt::MouseButton, int shift) { ButtonStepMouseDown(shift); }));
    connect(ButtonSetsumei, &QPushButton::clicked, this, Guarded(this, &TFormMain::ButtonSetsumeiClick));
    connect(ButtonClose, &QPushButton::clicked, this, Guarded(this, &TFormMain::ButtonCloseClick));
    connect(RadioGroupSousa, &TRadioGroup::Clicked, this, Guarded(this, &TFormMain::RadioGroupSousaClick));
    connect(Timer, &QTimer::timeout, this, Guarded(this, &TFormMain::TimerTimer));
    connect(ButtonRedo, &QPushButton::clicked, this, Guarded(this, &TFormMain::ButtonRedoClick));
    connect(ButtonHint, &QPushButton::clicked, this, Guarded(this, &TFormMain::ButtonHintClick));
    connect(ButtonRandom, &QPushButton::clicked, this, Guarded(this, &TFormMain::ButtonRandomClick));
}

const QStringList& TFormMain::HelpLines()
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
