#pragma once
// TCPU_Drop_Form: the drop alarm's settings dialog, and the alarm sounds.

#include <QDialog>

class TCPU_Drop_Form : public QDialog {
    Q_OBJECT
public:
    TCPU_Drop_Form();
};
