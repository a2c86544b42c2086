#pragma once
// TResults_Form: a modal window showing a text read-only, with a copy to the
// clipboard.

#include <QDialog>

class TResults_Form : public QDialog {
    Q_OBJECT
public:
    TResults_Form();
};
