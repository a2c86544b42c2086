#pragma once
// Layout scaling: every control of the client area follows the client's
// change of size from one recorded reference, so that resizing never drifts.
// The reference is held as text lines in a hidden list box (see
// Record_Layout): a header "W H W/H Mainform1", then per owned component "0"
// or "left width top height points name".

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QListWidget;
class QObject;
class QWidget;

// Pixel height of a font of `points` at 96 dots per inch, and back, rounded
// as the toolkit's design units are.
int Font_Pixels(int points);
int Font_Points(int pixels);

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

class Layout_Scaling {
public:
    struct Controls {
        QWidget* Client = nullptr;                       // the client area: its controls are the layout's
        QListWidget* Scaling_ListBox = nullptr;          // holds the reference
        const std::vector<QObject*>* Components = nullptr; // every component, in creation order
    };

    // Made with the window, before its controls exist; given them once they do.
    void Attach(const Controls& controls);

    void FormResize();
    void Record_Layout();
    void Scale_Layout();

    // The window's resize reaches FormResize only while this is set: a
    // change of size by command is not the user's, and must not stretch.
    bool Resize_Handler_Attached = true;

private:
    QSize Client_Size() const;

    Controls c_;
};
