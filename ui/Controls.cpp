// Controls.cpp: the radio group and the press-reporting button.
#include "ui/Controls.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QVBoxLayout>

#include "game/ShiftBits.h"
#include "ui/Look.h"

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 2, 4, 2);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i], this);
        item->setFocusPolicy(Qt::NoFocus);
        group_->addButton(item, i);
        layout->addWidget(item);
        items_.append(item);
    }
    // clicked fires only for the player's own clicks, never for SetItemIndex.
    connect(group_, &QButtonGroup::idClicked, this, &TRadioGroup::ItemClicked);
}

void TRadioGroup::ItemClicked(int index)
{
    // Qt reports a click on the item that is already checked too; that
    // selects nothing new, so the group's users never hear of it.
    if (index == selected_)
        return;
    selected_ = index;
    emit Clicked();
}

int TRadioGroup::ItemIndex() const
{
    return group_->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index < 0 || index >= items_.size()) {
        // An exclusive group refuses to uncheck its last checked button.
        group_->setExclusive(false);
        for (QRadioButton* item : items_)
            item->setChecked(false);
        group_->setExclusive(true);
        selected_ = -1;
        return;
    }
    items_[index]->setChecked(true);
    selected_ = index;
}

TPressButton::TPressButton(const QString& caption, QWidget* parent, int tag)
    : QPushButton(caption, parent), tag_(tag)
{
    setFocusPolicy(Qt::NoFocus);
}

namespace {

int ModifierBits(const QMouseEvent* event)
{
    int bits = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        bits |= ShiftKey;
    if (event->modifiers() & Qt::ControlModifier)
        bits |= ControlKey;
    return bits;
}

} // namespace

void TPressButton::mousePressEvent(QMouseEvent* event)
{
    QPushButton::mousePressEvent(event);
    if (isEnabled())
        emit MouseDown(event->button(), ModifierBits(event));
}

void TPressButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    QPushButton::mousePressEvent(event);
    if (isEnabled())
        emit MouseDown(event->button(), ModifierBits(event) | DoubleClick);
}

QFrame* MakePanel(QWidget* parent, bool bevel)
{
    auto* panel = new QFrame(parent);
    panel->setFrameShape(bevel ? QFrame::Panel : QFrame::NoFrame);
    panel->setFrameShadow(QFrame::Raised);
    return panel;
}

QLabel* DressModePanel(QFrame* panel, int height, const QString& title)
{
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setFixedHeight(height);
    SetBackground(panel, InactiveCaption);
    auto* label = new QLabel(title, panel);
    label->setGeometry(1, 1, 132, 27);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(Gothic(16, true));
    SetTextColour(label, Qt::black);
    return label;
}

TPressButton* PlaceButton(QWidget* panel, const QString& caption, int top, int height, int tag, int left, int width)
{
    auto* button = new TPressButton(caption, panel, tag);
    button->setGeometry(left, top, width, height);
    return button;
}

void NameControls(std::initializer_list<std::pair<QObject*, const char*>> names)
{
    for (const auto& [control, name] : names)
        control->setObjectName(QLatin1String(name));
}
