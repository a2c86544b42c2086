#include "common/file_dialog.h"

#include <QFileDialog>

namespace {
TFile_Dialog::Answerer& Installed_Answerer()
{
    static TFile_Dialog::Answerer answerer;
    return answerer;
}
} // namespace

TFile_Dialog::TFile_Dialog(Mode mode, QObject* parent) : QObject(parent), mode_(mode) {}

void TFile_Dialog::Set_Answerer(Answerer answerer)
{
    Installed_Answerer() = std::move(answerer);
}

QStringList Name_Filters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '))
                       + QLatin1Char(')');
    return filters;
}

bool TFile_Dialog::Execute()
{
    QString chosen;
    if (Installed_Answerer()) {
        chosen = Installed_Answerer()(*this);
    } else {
        QFileDialog dialog(nullptr, QString(), InitialDir);
        dialog.setObjectName(objectName());
        dialog.setNameFilters(Name_Filters(Filter));
        dialog.setAcceptMode(mode_ == Mode::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(mode_ == Mode::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        // Saving only ever updates a file that is already there; no overwrite question.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().front();
    }
    if (chosen.isEmpty())
        return false;
    FileName = chosen;
    return true;
}
