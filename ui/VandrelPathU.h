// VandrelPathU.h: the game's one window; it owns the game and turns events into its calls.
#pragma once

#include <array>
#include <cstdint>

#include <QKeySequence>
#include <QList>
#include <QStringList>
#include <QWidget>

#include "core/PlaySession.h"
#include "files/Records.h"
#include "solver/Generator.h"
#include "solver/Shortest.h"
#include "ui/BackgroundWork.h"
#include "ui/Platform.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QTimer;
class TMyImage;
class TPressButton;
class TRadioGroup;

// Tags of the four arrow buttons: which way each moves the drawing.
enum ArrowTag : int { ArrowUp = 1, ArrowDown = 2, ArrowLeft = 3, ArrowRight = 4 };

// Tags of the two save buttons: the creation panel's names the saved problem
// after its file; the play panel's saves a copy and keeps the name.
enum SaveTag : int { SaveNamed = 1, SaveCopy = 2 };

// Pixels left free around a path fitted into view (Home), so that its thick
// line is not cut at the edge.
constexpr int FitMargin = 8;

// The world window the picture shows, as of the last UpdateViewWindow.
struct ViewWindow {
    double Left = 0, Bottom = 0, Right = 0, Top = 0;
    double CenterX = 0, CenterY = 0;
};

// The window holds the game (TPlaySession, with the puzzle), the problem's
// name and text, the records list, the view and the controls. Controls carry
// their names as object names, so tests reach them as a player would.
class TFormMain : public QWidget, public PuzzleHost {
    Q_OBJECT
public:
    explicit TFormMain(TDialogs& dialogs = QtDialogs(), TClock& clock = SystemClock());
    ~TFormMain() override;

    const TPlaySession& Session() const { return session_; }
    const TPuzzle& Puzzle() const { return session_.Puzzle(); }
    const QString& ProblemName() const { return problemName_; }
    std::uint16_t RecordLine() const { return recordLine_; }
    const ViewWindow& View() const { return view_; }
    TMyImage* PlotImage() const { return plotImage_; }
    bool DragPanning() const { return dragPanning_; }
    std::uint8_t ButtonMaskNow() const;

    static const QStringList& HelpLines();

    // Recomputes the world window from the image's corners; after every change
    // of origin or scale.
    void UpdateViewWindow();

    // ---- puzzle host --------------------------------------------------------
    void DrawPath() override;
    void HighlightTail(std::uint8_t from, std::uint8_t colourCode) override;
    void ShowMessage(const std::string& text) override;
    void SetUndoEnabled(bool enabled) override;
    void PathSolved() override;

    // ---- handlers -----------------------------------------------------------
    void FormResize();
    void TrackBarUnitChange();
    bool FormKeyDown(int key, int shift);  // true when the key was consumed
    void ButtonUpMouseDown(TPressButton* sender, int shift);
    void ImageMouseDown(Qt::MouseButton button, int shift, int x, int y);
    void ImageMouseMove(int shift, int x, int y);
    void ImageMouseUp(Qt::MouseButton button, int shift, int x, int y);
    void ImageWheel(int notches, int x, int y);
    void RadioGroupMenuClick();
    void ButtonStartClick();
    void ButtonPauseClick();
    void ButtonContinueClick();
    void TimerTimer();
    void ButtonSetsumeiClick();
    void ButtonCloseClick();
    void ButtonUndoClick();
    void RadioGroupSousaClick();
    void ButtonJidouClick();
    void ButtonStepMouseDown(int shift);
    void ButtonNyuuryokuBeginClick();
    void ButtonNyuuryokuEndClick();
    void ButtonOpenClick();
    void ButtonSaveClick(int tag);
    void ButtonRedoClick();
    void ButtonHintClick();
    void ButtonRandomClick();

    // Parses problem text and makes it the current problem, as the start-up
    // does with the sample; a text that is no problem is reported and changes
    // nothing. True when it was loaded.
    bool LoadProblemText(const QStringList& lines);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ---- building -----------------------------------------------------------
    void BuildLayout();
    void BuildCoordinatePanel();
    void BuildMainPanel();
    void BuildImageChildren();
    void BuildOverlay();
    void NameControls();
    void ConnectHandlers();
    void CreatePlotImage();
    void AddShortcut(const QList<QKeySequence>& keys, const QList<QPushButton*>& buttons);
    void CreateShortcuts();

    // ---- view ---------------------------------------------------------------
    void DrawBackground();
    void RecenterView();
    void PanBy(std::int32_t dx, std::int32_t dy);
    void SetZoom(int unit);
    void FitView();
    LatticePoint LatticeAt(int px, int py) const;

    // ---- modes, play, demonstration ----------------------------------------
    void ApplyButtonMask(std::uint8_t mask);
    void ShowClock(std::int32_t seconds);
    void SelectInPlay(std::int32_t x, std::int32_t y, int px, int py);
    void SelectPointByKey(int index);
    bool PlayKeyDown(int key, Qt::KeyboardModifiers modifiers);  // true when the key was consumed
    void PlaceOperationGroup(int px, int py);
    void PlaceOverlay();
    void RefreshOverlay();
    void SolverStep();
    void SolverRun();
    int WaitMs() const;
    std::optional<SolverMove> DemonstrationMove(const TPathStore& path) const;

    // ---- fewest moves, hints, random problems -------------------------------
    void StartParSearch();
    void ShowHint(const ShortestSolution& solution);
    void CancelStaleHint();
    void ClearHintMark();
    void InstallGenerated(const ProblemCode& code, const Problem& problem);

    // ---- path entry ---------------------------------------------------------
    void MoveCursorTo(LatticePoint p);
    void DrawBand();
    void EntryBand(int x, int y);
    void EntryCommit();
    void RedrawEntry();

    // ---- problem files and records -----------------------------------------
    void LoadDefaultProblem();
    void InstallProblem(const QStringList& lines, const Problem& problem);
    void SetProblemName(const QString& path);
    void LoadRecordsFile();
    void StoreBestTime();

    TDialogs& dialogs_;
    TClock& clock_;
    TPlaySession session_{*this};

    QString problemName_;
    QStringList memoMondai_;  // the current problem's text
    TRecordsList memoRecord_;  // the records list
    QString recordsFileName_;
    std::uint16_t recordLine_ = 0;

    TMyImage* plotImage_ = nullptr;
    bool dragPanning_ = false;
    std::int32_t dragAnchorX_ = 0;
    std::int32_t dragAnchorY_ = 0;
    ViewWindow view_;

    TBackgroundWork<ShortestSolution> parWork_{this};
    TBackgroundWork<ShortestSolution> hintWork_{this};
    Problem hintPath_;  // the path the hint being worked out is for
    TBackgroundWork<std::optional<Problem>> generateWork_{this};
    RandomProblemRequest lastRandom_;  // what the dialog proposes next time

    // ---- controls, named as in the window's design ------------------------
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

    // ---- the panel over the picture during puzzle play ----------------------
    QFrame* PanelTesuu = nullptr;
    QLabel* LabelTesuu = nullptr;
    QLabel* LabelSaitan = nullptr;
    QLabel* LabelHintUsed = nullptr;
    TPressButton* ButtonHint = nullptr;
    TPressButton* ButtonRedo = nullptr;
    TPressButton* ButtonRandom = nullptr;

    // ---- the demonstration's option, just below its panel -------------------
    QFrame* PanelSaitan = nullptr;
    QCheckBox* CheckBoxSaitan = nullptr;
};
