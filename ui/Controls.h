// Controls.h: the two control kinds Qt lacks: a radio group and a button that reports presses.
#pragma once

#include <initializer_list>
#include <utility>

#include <QGroupBox>
#include <QList>
#include <QPushButton>
#include <QStringList>

class QButtonGroup;
class QFrame;
class QLabel;
class QRadioButton;

// A framed group of radio items; item index -1 means none is selected.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent);

    int ItemIndex() const;
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const { return items_.at(index); }

signals:
    // The player selected an item that was not selected before (not emitted
    // by SetItemIndex, nor by a click on the item already selected).
    void Clicked();

private:
    void ItemClicked(int index);

    QButtonGroup* group_;
    int selected_ = -1;  // the item as last selected, by the player or SetItemIndex
    QList<QRadioButton*> items_;
};

// A push button that also reports the press itself, with the double-click bit
// set on the second press of a double click.
class TPressButton : public QPushButton {
    Q_OBJECT
public:
    TPressButton(const QString& caption, QWidget* parent, int tag = 0);

    int Tag() const { return tag_; }

signals:
    void MouseDown(Qt::MouseButton button, int shift);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int tag_;
};

// A panel as the window's panels are: raised, or flat without a bevel.
QFrame* MakePanel(QWidget* parent, bool bevel = true);

// Makes a mode panel of `panel`: a raised, fixed-height box with a centred
// title; its buttons go at fixed places.
QLabel* DressModePanel(QFrame* panel, int height, const QString& title);

// A button at a fixed place of a panel, 120 wide unless said otherwise.
TPressButton* PlaceButton(QWidget* panel, const QString& caption, int top, int height, int tag = 0, int left = 8,
                          int width = 120);

// Gives each control its name, as the window was designed: tests and tools
// find it by that name.
void NameControls(std::initializer_list<std::pair<QObject*, const char*>> names);
