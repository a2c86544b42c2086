#include "report/drive_report_command.h"

#include "metrics/disk_figures.h"
#include "metrics/drive_combo_box.h"
#include "report/drive_report.h"
#include "report/results_form.h"

#include <QPlainTextEdit>

void Drive_Report_Command::SpeedButton1Click()
{
    TResults_Form* const results = controls_.Results_Form;
    if (!results)
        return;
    const QChar letter = controls_.DriveComboBox1->Drive();
    results->setWindowTitle(QStringLiteral(" Report for ") + letter.toUpper() + QStringLiteral(":\\ Drive"));
    const int drive_number = Drive_Number(QString(letter));
    results->Report_Memo->clear();
    results->Show_Text(Build_Drive_Report(drive_number));
    results->exec();
}
