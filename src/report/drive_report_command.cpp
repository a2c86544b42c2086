// The drive report button.
#include "app/main_form.h"
#include "metrics/disk_figures.h"
#include "metrics/drive_combo_box.h"
#include "report/drive_report.h"
#include "report/results_form.h"

#include <QPlainTextEdit>

void TMainForm1::SpeedButton1Click()
{
    if (!Results_Form)
        return;
    const QChar letter = DriveComboBox1->Drive();
    Results_Form->setWindowTitle(QStringLiteral(" Report for ") + letter.toUpper() + QStringLiteral(":\\ Drive"));
    const int drive_number = Drive_Number(QString(letter));
    Results_Form->Report_Memo->clear();
    Results_Form->Show_Text(Build_Drive_Report(drive_number));
    Results_Form->exec();
}
