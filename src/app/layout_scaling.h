#pragma once
// The arithmetic of layout scaling, apart from the window. The reference
// layout is held as text lines (see Record_Layout): a header "W H W/H
// Mainform1", then per owned component "0" or "left width top height points name".

#include <QRect>
#include <QSize>
#include <QString>

struct Layout_Factors {
    double rx = 1; // client width now / recorded
    double ry = 1; // client height now / recorded
    double rf = 1; // fonts: the smaller of the two
};

Layout_Factors Scale_Factors(QSize recorded, QSize now);

struct Control_Reference {
    QRect geometry;    // relative to the control's parent
    int font_points = 0;
};

QString Layout_Header_Line(QSize client);
QString Layout_Control_Line(const Control_Reference& reference, const QString& name);

// A control's line scaled: every field times its factor, cut towards zero.
Control_Reference Scale_Control_Line(const QString& line, const Layout_Factors& factors);
