// VandrelPathU.h: the game's one window; it owns the puzzle and turns events into puzzle calls.
#pragma once

#include <array>
#include <cstdint>

#include <QStringList>
#include <QWidget>

#include "core/Puzzle.h"
#include "files/Records.h"
#include "ui/Platform.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QTimer;
class TMyImage;
class TPressButton;
class TRadioGroup;
struct ParsedProblem;

enum GameModes : std::uint8_t { ModeIdle = 0, ModeEntry = 1, ModePlay = 2 };

// Button masks: bit i switches ManagedButtons[i].
enum ButtonMasks : std::uint8_t {
    MaskStartUp = 133,
    MaskCreation = 3,
    MaskPuzzle = 196,
    MaskPlaying = 16,
    MaskPaused = 229,
    MaskSolved = 197,
};

struct LatticePoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const LatticePoint&) const = default;
};

class TFormMain : public QWidget, public PuzzleHost {
    Q_OBJECT
public:
    explicit TFormMain(TDialogs& dialogs = QtDialogs(), TClock& clock = SystemClock());
    ~TFormMain() override;

    // ---- puzzle state -------------------------------------------------------
    TPuzzle Puzzle{*this};
    std::uint8_t GameMode = ModeIdle;
    bool Unsaved = false;

    // ---- play clock ---------------------------------------------------------
    double PlayStartTime = 0;  // monotonic seconds at the last start or continue
    std::int32_t CarriedSeconds = 0;
    std::int32_t ElapsedSeconds = 0;

    // ---- path entry ---------------------------------------------------------
    LatticePoint EntryCorner;
    LatticePoint EntryCandidate;

    // ---- problem and records ------------------------------------------------
    QString ProblemName;
    std::int32_t BestSeconds = 0;
    QStringList MemoMondai;  // the current problem's text
    TRecordsList MemoRecord;  // the records list
    QString RecordsFileName;
    std::uint16_t RecordLine = 0;

    // ---- view ---------------------------------------------------------------
    TMyImage* PlotImage = nullptr;
    bool DragPanning = false;
    std::int32_t DragAnchorX = 0;
    std::int32_t DragAnchorY = 0;
    double ViewLeft = 0, ViewBottom = 0, ViewRight = 0, ViewTop = 0;
    double ViewCenterX = 0, ViewCenterY = 0;

    // ---- controls -----------------------------------------------------------
    QFrame* PanelZahyouHenkan = nullptr;
    QSlider* TrackBarUnit = nullptr;
    QFrame* PanelIdou = nullptr;
    TPressButton* ButtonUp = nullptr;
    TPressButton* ButtonDown = nullptr;
    TPressButton* ButtonLeft = nullptr;
    TPressButton* ButtonRight = nullptr;
    QFrame* PanelImage = nullptr;
    QFrame* PanelMain = nullptr;
    TRadioGroup* RadioGroupMenu = nullptr;
    QFrame* PanelMondai = nullptr;
    QLabel* LabelMondai = nullptr;
    TPressButton* ButtonNyuuryokuBegin = nullptr;
    TPressButton* ButtonNyuuryokuEnd = nullptr;
    TPressButton* ButtonSave = nullptr;
    QFrame* PanelPuzzle = nullptr;
    QLabel* LabelPuzzle = nullptr;
    TPressButton* ButtonOpenAll = nullptr;
    TPressButton* ButtonStart = nullptr;
    TPressButton* ButtonContinue = nullptr;
    TPressButton* ButtonUndo = nullptr;
    TPressButton* ButtonPause = nullptr;
    TPressButton* ButtonSaveAll = nullptr;
    QLabel* PanelTime = nullptr;
    TPressButton* ButtonJidou = nullptr;
    QFrame* PanelJidou = nullptr;
    TPressButton* ButtonStep = nullptr;
    QLabel* LabelWait = nullptr;
    QSlider* TrackBarWait = nullptr;
    QFrame* PanelClose = nullptr;
    TPressButton* ButtonSetsumei = nullptr;
    TPressButton* ButtonClose = nullptr;
    QPlainTextEdit* MemoSetsumei = nullptr;
    TRadioGroup* RadioGroupSousa = nullptr;
    QTimer* Timer = nullptr;
    std::array<QPushButton*, 8> ManagedButtons{};

    static const QStringList& HelpLines();

    // ---- puzzle host --------------------------------------------------------
    void DrawPath() override;
    void HighlightTail(std::uint8_t from, std::uint8_t colourCode) override;
    void ShowMessage(const std::string& text) override;
    void SetUndoEnabled(bool enabled) override;
    void PathSolved() override;

    // ---- view ---------------------------------------------------------------
    void UpdateViewWindow();
    void DrawBackground();
    void RecenterView();
    void FormResize();
    void TrackBarUnitChange();
    bool FormKeyDown(int key, int shift);  // true when the key was consumed
    void ButtonUpMouseDown(TPressButton* sender, int shift);
    void ImageMouseDown(Qt::MouseButton button, int shift, int x, int y);
    void ImageMouseMove(int shift, int x, int y);
    void ImageMouseUp(Qt::MouseButton button, int shift, int x, int y);

    // ---- modes, buttons, clock, help, quit ---------------------------------
    void ApplyButtonMask(std::uint8_t mask);
    std::uint8_t ButtonMaskNow() const;
    void RadioGroupMenuClick();
    void ButtonStartClick();
    void ButtonPauseClick();
    void ButtonContinueClick();
    void TimerTimer();
    void ButtonSetsumeiClick();
    void ButtonCloseClick();
    void ButtonUndoClick();

    // ---- play ---------------------------------------------------------------
    void RadioGroupSousaClick();

    // ---- demonstration ------------------------------------------------------
    void ButtonJidouClick();
    void ButtonStepMouseDown(int shift);
    void SolverStep();
    void SolverRun();
    int WaitMs() const;

    // ---- path entry ---------------------------------------------------------
    void ButtonNyuuryokuBeginClick();
    void ButtonNyuuryokuEndClick();

    // ---- problem files and records -----------------------------------------
    void LoadDefaultProblem();
    bool LoadProblemText();
    void ButtonOpenClick();
    void ButtonSaveClick(int tag);
    void SetProblemName(const QString& path);
    void LoadRecordsFile();
    void StoreBestTime();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void BuildCoordinatePanel();
    void BuildMainPanel();
    void BuildImageChildren();
    void ConnectHandlers();
    void CreatePlotImage();
    void PanBy(std::int32_t dx, std::int32_t dy);
    void SelectInPlay(std::int32_t x, std::int32_t y, int px, int py);
    void PlaceOperationGroup(int px, int py);
    LatticePoint LatticeAt(int px, int py) const;
    void MoveCursorTo(LatticePoint p);
    void EntryBand(int x, int y);
    void EntryCommit();
    void RedrawEntry();
    void ShowClock(QLabel* label, std::int32_t seconds);
    void InstallProblem(const QStringList& lines, const ParsedProblem& problem);

    TDialogs& dialogs_;
    TClock& clock_;
};
