// CollectionDialog.cpp: the collection's table and the buttons that choose from it.
#include "ui/CollectionDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/Messages.h"

namespace {

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    return item;
}

QString TimeText(std::int32_t seconds)
{
    return QStringLiteral("%1分%2秒").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

TCollectionDialog::TCollectionDialog(QWidget* parent, const std::vector<CollectionRow>& rows, int suggested,
                                     const ProblemCode& daily)
    : QDialog(parent), rows_(rows), table_(new QTableWidget(static_cast<int>(rows.size()), 6, this))
{
    setWindowTitle(Messages::CollectionButton);
    table_->setObjectName(QStringLiteral("TableCollection"));
    table_->setHorizontalHeaderLabels(Messages::CollectionColumns);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const QStringList levels = Messages::DifficultyNames();
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const CollectionRow& row = rows[static_cast<std::size_t>(r)];
        table_->setItem(r, 0, Cell(QString::number(row.Number)));
        table_->setItem(r, 1, Cell(QString::number(row.Code.Points)));
        table_->setItem(r, 2, Cell(levels[static_cast<int>(row.Code.Level)], Qt::AlignCenter));
        table_->setItem(r, 3, Cell(QString::number(row.FewestMoves)));
        table_->setItem(r, 4, Cell(row.BestSeconds ? TimeText(*row.BestSeconds) : QString()));
        table_->setItem(r, 5, Cell(row.FewestSolved ? Messages::SolvedMark : QString(), Qt::AlignCenter));
    }
    table_->resizeColumnsToContents();
    table_->selectRow(suggested);
    table_->scrollToItem(table_->item(suggested, 0));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* play = buttons->addButton(Messages::PlayChosen, QDialogButtonBox::AcceptRole);
    QPushButton* next = buttons->addButton(Messages::NextUnsolved, QDialogButtonBox::ActionRole);
    QPushButton* today = buttons->addButton(Messages::DailyProblem, QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    play->setDefault(true);
    connect(play, &QPushButton::clicked, this, [this] {
        const int r = table_->currentRow();
        if (r >= 0)
            Choose(rows_[static_cast<std::size_t>(r)].Code);
    });
    connect(next, &QPushButton::clicked, this, [this, suggested] { Choose(rows_[static_cast<std::size_t>(suggested)].Code); });
    connect(today, &QPushButton::clicked, this, [this, daily] { Choose(daily); });
    connect(table_, &QTableWidget::cellDoubleClicked, this,
            [this](int r, int) { Choose(rows_[static_cast<std::size_t>(r)].Code); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(520, 480);
}

void TCollectionDialog::Choose(const ProblemCode& code)
{
    chosen_ = code;
    accept();
}
