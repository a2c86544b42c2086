#pragma once
// TAboutBox: the product's name and version, what the program does, and OK.

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox();

    QLabel* Product_Name_Label = nullptr;
    QLabel* Description_Label = nullptr;
    QPushButton* OKButton = nullptr;
};
