#pragma once
// TSettings_Form: the odometer's settings (screen size and unit).

#include <QDialog>

class TSettings_Form : public QDialog {
    Q_OBJECT
public:
    TSettings_Form();
};
