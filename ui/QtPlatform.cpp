// QtPlatform.cpp: the dialogs and clock of the running game.
#include "ui/Platform.h"

#include <chrono>

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>

#include "ui/CollectionDialog.h"
#include "ui/RandomProblemDialog.h"

namespace {

const QString ProblemFilter = QStringLiteral("ソラドミ問題 (Vandrel*.txt);;すべて (*.*)");

class TQtDialogs final : public TDialogs {
public:
    void ShowMessage(QWidget* parent, const QString& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("ソラドミ"), text, QMessageBox::Ok, parent);
        box.exec();
    }

    bool ConfirmWarning(QWidget* parent, const QString& text) override
    {
        return Ask(parent, QMessageBox::Warning, QStringLiteral("警告"), text, QStringLiteral("キャンセル"),
                   QMessageBox::RejectRole);
    }

    bool AskYesNo(QWidget* parent, const QString& text) override
    {
        return Ask(parent, QMessageBox::Question, QStringLiteral("ソラドミ"), text, QStringLiteral("いいえ(&N)"),
                   QMessageBox::NoRole);
    }

    std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& folder) override
    {
        QFileDialog dialog(parent, QString(), StartFolder(folder), ProblemFilter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        dialog.selectFile(QStringLiteral("Vandrel*"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().first();
    }

    std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& initialName, const QString& folder) override
    {
        QFileDialog dialog(parent, QString(), StartFolder(folder), ProblemFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        dialog.selectFile(initialName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().first();
    }

    std::optional<RandomProblemRequest> ChooseRandomProblem(QWidget* parent,
                                                            const RandomProblemRequest& proposal) override
    {
        TRandomProblemDialog dialog(parent, proposal);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Request();
    }

    std::optional<ProblemCode> ChooseCollectionProblem(QWidget* parent, const std::vector<CollectionRow>& rows,
                                                       int suggested, const ProblemCode& daily) override
    {
        TCollectionDialog dialog(parent, rows, suggested, daily);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Chosen();
    }

private:
    // "はい(&Y)", the default, and the other answer, which Escape and closing
    // the box choose too; true for yes.
    static bool Ask(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
                    const QString& other, QMessageBox::ButtonRole otherRole)
    {
        QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
        QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        box.setEscapeButton(box.addButton(other, otherRole));
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes;
    }

    // The folder of the last file, while it is there; else the current one.
    static QString StartFolder(const QString& folder)
    {
        return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QStringLiteral(".");
    }
};

class TSystemClock final : public TClock {
public:
    double MonotonicSeconds() override
    {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    }

    QDate Today() override { return QDate::currentDate(); }

    std::uint64_t NewSeed() override { return QRandomGenerator::system()->generate64(); }
};

} // namespace

TDialogs& QtDialogs()
{
    static TQtDialogs dialogs;
    return dialogs;
}

TClock& SystemClock()
{
    static TSystemClock clock;
    return clock;
}
