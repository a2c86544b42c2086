#include "metrics/drive_combo_box.h"

#include "platform/disk.h"

TDriveComboBox::TDriveComboBox(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, [this](int index) {
        const QString entry = itemText(index);
        if (!entry.isEmpty())
            drive_ = entry.front().toLower();
    });
}

void TDriveComboBox::Fill_Drives()
{
    clear();
    for (const platform::Drive_Entry& drive : platform::Use<platform::Disk_Service>().Logical_Drives())
        addItem(QString(QLatin1Char(drive.letter)) + QLatin1Char(':')
                + (drive.location.empty() ? QString() : QLatin1Char(' ') + QString::fromStdString(drive.location)));
    Set_Drive(drive_);
}

void TDriveComboBox::Set_Drive(QChar letter)
{
    drive_ = letter.toLower();
    for (int i = 0; i < count(); ++i)
        if (itemText(i).front() == drive_) {
            setCurrentIndex(i);
            return;
        }
}
