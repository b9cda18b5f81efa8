// CollectionDialog.h: the dialog of "問題集": the collection's problems with the player's progress, the next one unsolved, the day's problem.
#pragma once

#include <optional>
#include <vector>

#include <QDialog>

#include "ui/Platform.h"

class QTableWidget;

class TCollectionDialog : public QDialog {
    Q_OBJECT
public:
    TCollectionDialog(QWidget* parent, const std::vector<CollectionRow>& rows, int suggested, const ProblemCode& daily);

    // The problem chosen once the dialog is accepted.
    const std::optional<ProblemCode>& Chosen() const { return chosen_; }

private:
    void Choose(const ProblemCode& code);

    std::vector<CollectionRow> rows_;
    QTableWidget* table_;
    std::optional<ProblemCode> chosen_;
};
