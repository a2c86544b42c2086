#include "about/about_box.h"

#include "widgets/design.h"

#include <QLabel>
#include <QPushButton>

TAboutBox::TAboutBox()
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setModal(true);
    setFixedSize(298, 186);

    Product_Name_Label = new QLabel(this);
    Product_Name_Label->setObjectName(QStringLiteral("Product_Name_Label"));
    Product_Name_Label->setFont(Times(21, true));
    Product_Name_Label->setAlignment(Qt::AlignCenter);
    Product_Name_Label->setGeometry(8, 10, 282, 28);

    Description_Label = new QLabel(this);
    Description_Label->setObjectName(QStringLiteral("Description_Label"));
    Description_Label->setFont(Times(15));
    Description_Label->setWordWrap(true);
    Description_Label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Description_Label->setGeometry(12, 46, 274, 90);
    Description_Label->setText(QStringLiteral(
        "A small system monitor: RAM and swap use, how full a drive is, current and average CPU use, "
        "an alarm for when a busy processor goes quiet, and a cursor odometer."));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(111, 146, 75, 27);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}
