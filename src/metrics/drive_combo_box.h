#pragma once
// DriveComboBox1: the drop-down list of the machine's drives. Each entry
// begins with the drive letter and a colon ("c: /", "d: /home").
//
// The selected drive is a letter of its own: a letter loaded from the
// settings file for which no drive is present is still the selected drive
// (the list keeps showing its previous entry), and is saved again on close.

#include <QComboBox>

class TDriveComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TDriveComboBox(QWidget* parent = nullptr);

    // Fills the list from the platform's drives, keeping the selected letter.
    void Fill_Drives();

    // The selected drive letter, lower case (any character a file gave).
    QChar Drive() const { return drive_; }
    void Set_Drive(QChar letter);

private:
    QChar drive_ = QLatin1Char('c');
};
