// The gauge's picture, pixel by pixel.
#include "widgets/gauge.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QPalette>
#include <QPixmap>
#include <functional>
#include <set>

namespace {

constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Red = qRgb(255, 0, 0);
constexpr QRgb Lime = qRgb(0, 255, 0);
constexpr QRgb Cyan = qRgb(0, 255, 255);
constexpr QRgb Magenta = qRgb(255, 0, 255);
constexpr QRgb Face = qRgb(212, 208, 200);

// A gauge on a parent with a known background, red on `back`, text off.
struct Scene {
    QWidget parent;
    TGauge* gauge;

    Scene(TGauge::TGaugeKind kind, int width, int height, QRgb back = White)
    {
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, QColor(Face));
        parent.setPalette(palette);
        gauge = new TGauge(&parent);
        gauge->Set_Kind(kind);
        gauge->resize(width, height);
        gauge->Set_ShowText(false);
        gauge->Set_ForeColor(QColor(Red));
        gauge->Set_BackColor(QColor(back));
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(17);
        gauge->setFont(font);
    }

    QImage At(int percent)
    {
        gauge->Set_Progress(percent);
        return gauge->Render();
    }
};

bool On_Ring(const QImage& image, int x, int y)
{
    return x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1;
}

int Count_Mismatches(const QImage& image, const std::function<QRgb(int, int)>& expected)
{
    int mismatches = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            mismatches += image.pixel(x, y) != expected(x, y);
    return mismatches;
}

} // namespace

TEST(Gauge_Painting, Bar_Fills_Whole_Columns_Inside_A_Black_Frame)
{
    Scene scene(TGauge::gkHorizontalBar, 140, 20);
    const struct {
        int percent, first_white;
    } cases[] = {{0, 1}, {1, 1}, {2, 2}, {25, 34}, {50, 69}, {100, 139}};
    for (const auto& c : cases) {
        const QImage image = scene.At(c.percent);
        ASSERT_EQ(image.size(), QSize(140, 20));
        EXPECT_EQ(Count_Mismatches(image,
                                   [&](int x, int y) {
                                       if (On_Ring(image, x, y))
                                           return Black;
                                       return x < c.first_white ? Red : White;
                                   }),
                  0)
            << c.percent << " %";
    }
    scene.gauge->Set_BorderStyle(TGauge::bsNone);
    const QImage open = scene.At(50);
    EXPECT_EQ(Count_Mismatches(open, [](int x, int) { return x < 70 ? Red : White; }), 0);
}

TEST(Gauge_Painting, Pie_Fills_Clockwise_From_Twelve_Inside_The_Parent_Colour)
{
    Scene scene(TGauge::gkPie, 89, 29, Lime);
    // Pixels well inside the rim and off the two axes through the centre (44, 14).
    const auto check = [&](int percent, const std::function<bool(int, int)>& red) {
        const QImage image = scene.At(percent);
        int mismatches = 0;
        for (int y = 1; y < 28; ++y)
            for (int x = 1; x < 88; ++x) {
                const double nx = (x - 44) / 43.5;
                const double ny = (y - 14) / 13.5;
                if (nx * nx + ny * ny > 0.7 || x == 44 || y == 14)
                    continue;
                mismatches += image.pixel(x, y) != (red(x, y) ? Red : Lime);
            }
        EXPECT_EQ(mismatches, 0) << percent << " %";
        EXPECT_EQ(image.pixel(0, 0), Black);
        EXPECT_EQ(image.pixel(88, 28), Black);
        EXPECT_EQ(image.pixel(1, 1), Face);
        EXPECT_EQ(image.pixel(87, 27), Face);
        EXPECT_EQ(image.pixel(1, 14), Red) << "the rim";
        EXPECT_EQ(image.pixel(44, 1), Red) << "the rim";
        return image;
    };
    const QImage empty = check(0, [](int, int) { return false; });
    check(25, [](int x, int y) { return x > 44 && y < 14; });
    const QImage half = check(50, [](int x, int) { return x > 44; });
    check(100, [](int, int) { return true; });
    for (int y = 1; y < 28; ++y)
        for (int x = 1; x < 88; ++x) {
            ASSERT_EQ(empty.pixel(x, y), empty.pixel(88 - x, y)) << x << "," << y;
            ASSERT_EQ(empty.pixel(x, y), empty.pixel(x, 28 - y)) << x << "," << y;
            ASSERT_EQ(half.pixel(x, y), half.pixel(x, 28 - y)) << x << "," << y;
        }

    // 1 % and 2 %: a sliver just clockwise of twelve, the second one wider.
    const QImage one = scene.At(1);
    EXPECT_EQ(one.pixel(45, 3), Red);
    EXPECT_EQ(one.pixel(47, 5), Lime);
    EXPECT_EQ(one.pixel(43, 3), Lime);
    const QImage two = scene.At(2);
    EXPECT_EQ(two.pixel(47, 5), Red);
    EXPECT_EQ(two.pixel(43, 3), Lime);
}

TEST(Gauge_Painting, Outside_Colour_Follows_The_Parent_Until_Set)
{
    Scene scene(TGauge::gkPie, 89, 29, Lime);
    EXPECT_EQ(scene.gauge->Color().rgb(), Face);
    QPalette palette = scene.parent.palette();
    palette.setColor(QPalette::Window, QColor(10, 20, 30));
    scene.parent.setPalette(palette);
    EXPECT_EQ(scene.gauge->Render().pixel(1, 1), qRgb(10, 20, 30));
    scene.gauge->Set_Color(QColor(0, 0, 255));
    palette.setColor(QPalette::Window, QColor(Face));
    scene.parent.setPalette(palette);
    EXPECT_EQ(scene.gauge->Render().pixel(1, 1), qRgb(0, 0, 255));
}

TEST(Gauge_Painting, Text_Shows_As_The_Inverse_Of_What_Lies_Beneath)
{
    Scene scene(TGauge::gkHorizontalBar, 140, 20);
    scene.gauge->Set_ShowText(true);
    const QImage image = scene.At(50);
    std::set<QRgb> over_red, over_white;
    int left = 140, right = -1, top = 20, bottom = -1;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 140; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (On_Ring(image, x, y)) {
                EXPECT_EQ(pixel, Black) << "text outside the frame at " << x << "," << y;
                continue;
            }
            (x < 69 ? over_red : over_white).insert(pixel);
            if (pixel == Cyan || pixel == Black) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    EXPECT_EQ(over_red, (std::set<QRgb>{Red, Cyan}));
    EXPECT_EQ(over_white, (std::set<QRgb>{White, Black}));
    EXPECT_NEAR((left + right) / 2.0, 70, 3) << "the text is centred";
    EXPECT_LT(top, bottom);

    Scene pie(TGauge::gkPie, 89, 29, Lime);
    pie.gauge->Set_ShowText(true);
    const QImage zero = pie.At(0);
    std::set<QRgb> colours;
    for (int y = 1; y < 28; ++y)
        for (int x = 1; x < 88; ++x)
            colours.insert(zero.pixel(x, y));
    EXPECT_TRUE(colours.count(Magenta)) << "the text over lime";
    EXPECT_TRUE(colours.count(Red) && colours.count(Lime) && colours.count(Face));
    EXPECT_LE(colours.size(), 7U) << "no smoothed edges";
}

TEST(Gauge_Painting, The_Other_Kinds)
{
    Scene column(TGauge::gkVerticalBar, 20, 100);
    const QImage half = column.At(50);
    for (int y = 1; y < 99; ++y)
        EXPECT_EQ(half.pixel(10, y), y >= 50 ? Red : White) << y;

    Scene text(TGauge::gkText, 40, 20);
    const QImage plain = text.At(70);
    EXPECT_EQ(Count_Mismatches(plain, [&](int x, int y) { return On_Ring(plain, x, y) ? Black : White; }), 0);

    Scene needle(TGauge::gkNeedle, 101, 51);
    const QImage rest = needle.At(0);
    EXPECT_EQ(rest.pixel(50, 20), White);
    EXPECT_EQ(rest.pixel(1, 1), Face);
    EXPECT_EQ(rest.pixel(20, 49), Red) << "the base line";
    const QImage upright = needle.At(50);
    for (int y = 2; y < 49; ++y)
        EXPECT_EQ(upright.pixel(50, y), Red) << y;
    EXPECT_EQ(upright.pixel(52, 20), White);
}

TEST(Gauge_Painting, Any_Size_Paints_Without_Fault)
{
    const QSize sizes[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {1, 40}, {40, 1}, {4, 30}};
    for (int kind = TGauge::gkText; kind <= TGauge::gkNeedle; ++kind)
        for (const auto border : {TGauge::bsNone, TGauge::bsSingle})
            for (const QSize size : sizes) {
                Scene scene(static_cast<TGauge::TGaugeKind>(kind), size.width(), size.height());
                scene.gauge->Set_BorderStyle(border);
                scene.gauge->Set_ShowText(true);
                for (int percent : {0, 1, 50, 99, 100})
                    EXPECT_EQ(scene.At(percent).size(), size.isEmpty() ? QSize(0, 0) : size);
            }
}

TEST(Gauge_Painting, The_Widget_Shows_The_Rendered_Picture)
{
    Scene scene(TGauge::gkPie, 89, 29, Lime);
    scene.gauge->Set_ShowText(true);
    scene.gauge->Set_Progress(37);
    scene.parent.resize(120, 60);
    scene.parent.show();
    const QImage shown = scene.gauge->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, scene.gauge->Render());
}
