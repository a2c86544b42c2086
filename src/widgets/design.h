#pragma once
// Building a window from its design: every component carries its design name
// as objectName, and fonts are given as the design gives them, a face at a
// pixel height (the layout's geometry is in pixels at 96 dots per inch).

#include <QFont>
#include <QString>

template <class T>
T* Named(T* component, const char* name)
{
    component->setObjectName(QString::fromLatin1(name));
    return component;
}

inline QFont Design_Font(const char* family, int pixels, bool bold = false)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferMatch);
    return font;
}

inline QFont Times(int pixels, bool bold = false)
{
    return Design_Font("Times New Roman", pixels, bold);
}
