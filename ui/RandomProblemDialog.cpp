// RandomProblemDialog.cpp: the dialog of "乱数問題", laid out as a form.
#include "ui/RandomProblemDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

#include "ui/Messages.h"

TRandomProblemDialog::TRandomProblemDialog(QWidget* parent, const RandomProblemRequest& proposal)
    : QDialog(parent), points_(new QSpinBox(this)), level_(new QComboBox(this)), code_(new QLineEdit(this))
{
    setWindowTitle(Messages::RandomButton);
    points_->setRange(2, MaxPoints);
    points_->setValue(proposal.Points);
    level_->addItems(Messages::DifficultyNames());
    level_->setCurrentIndex(static_cast<int>(proposal.Level));
    code_->setPlaceholderText(Messages::CodeExample);
    code_->setText(proposal.Code);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(Messages::PointsLabel, points_);
    form->addRow(Messages::DifficultyLabel, level_);
    form->addRow(Messages::CodeLabel, code_);
    form->addRow(buttons);
}

RandomProblemRequest TRandomProblemDialog::Request() const
{
    return {points_->value(), static_cast<Difficulty>(level_->currentIndex()), code_->text()};
}
