#pragma once
// Painting a gauge off screen. The kind is drawn into a second image and the
// percentage, in white, into a third; each is combined into the first by
// exclusive-or, so the text shows as the inverse of whatever lies under each
// of its pixels and the font's own colour plays no part.

#include "widgets/gauge.h"

#include <QFont>
#include <QImage>
#include <QRgb>

// Everything a gauge's picture depends on.
struct Gauge_Look {
    TGauge::TGaugeKind Kind = TGauge::gkHorizontalBar;
    bool Single_Border = true;
    int Width = 0;
    int Height = 0;
    int Percent = 0;
    bool Show_Text = true;
    QRgb Fore_Color = qRgb(0, 0, 0);
    QRgb Back_Color = qRgb(255, 255, 255);
    QRgb Color = qRgb(240, 240, 240); // outside a pie's ellipse
    QFont Font;
};

// Paints `look` into `canvas`, using `layer` for the kind and the text. Both
// are kept by the caller and reused while the size stays the same; a gauge
// without area leaves `canvas` null.
void Paint_Gauge(const Gauge_Look& look, QImage& canvas, QImage& layer);
