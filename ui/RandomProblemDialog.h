// RandomProblemDialog.h: the dialog of "乱数問題": points, difficulty, or a code to play again.
#pragma once

#include <QDialog>

#include "ui/Platform.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

class TRandomProblemDialog : public QDialog {
    Q_OBJECT
public:
    TRandomProblemDialog(QWidget* parent, const RandomProblemRequest& proposal);

    RandomProblemRequest Request() const;

private:
    QSpinBox* points_;
    QComboBox* level_;
    QLineEdit* code_;
};
