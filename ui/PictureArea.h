// PictureArea.h: the middle of the window: the plotting image, and what lies over it: the help text, the operation menu and the play's panel.
#pragma once

#include <QFrame>
#include <QStringList>

#include "game/Picture.h"
#include "game/Status.h"

class QPlainTextEdit;
class TMyImage;
class TPlayOverlay;
class TRadioGroup;

// PanelImage. The image is made on the window's first resize, when the
// panel has its size; until then nothing is drawn.
class TPictureArea : public QFrame {
    Q_OBJECT
public:
    explicit TPictureArea(QWidget* parent);

    // The 33 lines of the help text.
    static const QStringList& HelpLines();

    TMyImage* CreatePlotImage();
    void Draw(const Picture& picture);
    void ShowStatus(const GameStatus& status);

    TMyImage* PlotImage = nullptr;
    QPlainTextEdit* MemoSetsumei = nullptr;
    TRadioGroup* RadioGroupSousa = nullptr;
    TPlayOverlay* PanelTesuu = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceOperations(const OperationMenu& menu);

    OperationMenu operations_;
};
