#include "common/window_bounds.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

// The frame as the window manager last reported it (_NET_FRAME_EXTENTS on X).
// Read from the native window rather than from the widget's cached copy,
// which is refreshed only on some events; nothing until the window has been
// framed.
QMargins Frame(const QWidget* window)
{
    if (!window->isWindow() || !window->testAttribute(Qt::WA_WState_Created))
        return {};
    const QWindow* native = window->windowHandle();
    return native ? native->frameMargins() : QMargins();
}

bool Frame_Known(const QWidget* window)
{
    return !Frame(window).isNull();
}

bool In_Normal_State(const QWidget* window)
{
    return !(window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

// Places the window's own area so that its frame's top left lands on `frame_top_left`.
void Move_Frame_To(QWidget* window, QPoint frame_top_left)
{
    if (!window->isWindow() || !window->testAttribute(Qt::WA_WState_Created)) {
        window->move(frame_top_left); // not created yet: the window manager places the frame there
        return;
    }
    const QMargins frame = Frame(window);
    const QPoint own(frame_top_left.x() + frame.left(), frame_top_left.y() + frame.top());
    if (own != window->geometry().topLeft())
        window->setGeometry(QRect(own, window->size()));
}

QPoint Centred_Top_Left(QSize outer, const QRect& area)
{
    return {area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2};
}

constexpr char Pending_Name[] = "Pending_Outer_Bounds";

// Outer bounds asked for before the frame was known, applied again with the
// real frame once the window manager has framed the window (shortly after it
// is first mapped), so that the frame ends up where and as large as asked.
//
// While a window is being framed the window system still reports older
// geometry for a moment, and the frame reads as garbage in between; the
// bounds are therefore applied once the window system has been quiet for a
// little while. A request that the program itself overrode in the meantime
// (a resize or move by other means) is dropped.
class Pending_Outer_Bounds final : public QObject {
public:
    struct Edge {
        int outer = 0;
        int own = 0; // the window's own coordinate or size the request left it with
    };

    explicit Pending_Outer_Bounds(QWidget* window) : QObject(window), window_(window)
    {
        setObjectName(QLatin1String(Pending_Name));
        quiet_.setSingleShot(true);
        quiet_.setInterval(Quiet_Ms);
        connect(&quiet_, &QTimer::timeout, this, [this] { Settle(); });
        window->installEventFilter(this);
    }

    static Pending_Outer_Bounds* Of(QWidget* window, bool create)
    {
        auto* found = window->findChild<QObject*>(QLatin1String(Pending_Name), Qt::FindDirectChildrenOnly);
        if (found)
            return static_cast<Pending_Outer_Bounds*>(found);
        return create ? new Pending_Outer_Bounds(window) : nullptr;
    }

    std::optional<Edge> left;
    std::optional<Edge> top;
    std::optional<Edge> width;
    std::optional<Edge> height;
    // Where the frame is to stand centred: its left and top follow from the
    // frame's size, which only the framing tells.
    std::optional<QRect> centre_in;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const bool geometry = event->type() == QEvent::Move || event->type() == QEvent::Resize;
        if (geometry && !event->spontaneous())
            Drop_Overridden();
        if (event->type() == QEvent::DeferredDelete || !In_Normal_State(window_) || !Frame_Known(window_))
            return false;
        if (!quiet_.isActive() || (geometry && event->spontaneous()))
            quiet_.start(Quiet_Ms);
        return false;
    }

private:
    static constexpr int Quiet_Ms = 100;

    static void Drop_If_Moved(std::optional<Edge>& edge, int now)
    {
        if (edge && edge->own != now)
            edge.reset();
    }

    void Drop_Overridden()
    {
        const QRect own = window_->geometry();
        Drop_If_Moved(left, own.left());
        Drop_If_Moved(top, own.top());
        Drop_If_Moved(width, own.width());
        Drop_If_Moved(height, own.height());
        if (!left || !top)
            centre_in.reset();
    }

    // Whether the frame now stands where and as large as asked.
    bool Reached() const
    {
        const QRect outer = Outer_Bounds(window_);
        return (!left || outer.left() == left->outer) && (!top || outer.top() == top->outer) &&
               (!width || outer.width() == width->outer) && (!height || outer.height() == height->outer);
    }

    // The request now stands for the window's own geometry just asked for, so
    // that the resize and move it caused do not read as an override.
    void Own_Now()
    {
        const QRect own = window_->geometry();
        for (auto [edge, now] : {std::pair{&left, own.left()}, std::pair{&top, own.top()},
                                 std::pair{&width, own.width()}, std::pair{&height, own.height()}})
            if (*edge)
                (*edge)->own = now;
    }

    // The frame read in a quiet moment can still be one the window manager is
    // about to replace (Qt may have read it before the window manager
    // published it), and such a change comes with no event. So the result
    // is checked twice more, a while apart, and applied again if it missed;
    // a few tries, since a size the window cannot take (below its minimum)
    // is never reached.
    void Settle()
    {
        if (!In_Normal_State(window_) || !Frame_Known(window_))
            return;
        if (tries_ > 0 && Reached()) {
            if (++confirmations_ < 2) {
                quiet_.start(Confirm_Ms);
                return;
            }
        }
        if (confirmations_ >= 2 || tries_ == Most_Tries) {
            window_->removeEventFilter(this);
            setObjectName(QString());
            deleteLater();
            return;
        }
        ++tries_;
        confirmations_ = 0;

        const QMargins frame = Frame(window_);
        const QSize least = Least_Own_Size(window_);
        QSize size = window_->size();
        if (width) {
            size.setWidth(std::max(width->outer - frame.left() - frame.right(), least.width()));
            width->outer = size.width() + frame.left() + frame.right();
        }
        if (height) {
            size.setHeight(std::max(height->outer - frame.top() - frame.bottom(), least.height()));
            height->outer = size.height() + frame.top() + frame.bottom();
        }
        if (size != window_->size())
            window_->resize(size);
        if (centre_in) {
            const QPoint centred = Centred_Top_Left(size.grownBy(frame), *centre_in);
            left->outer = centred.x();
            top->outer = centred.y();
        }
        if (left || top) {
            const QRect outer = Outer_Bounds(window_);
            Move_Frame_To(window_, QPoint(left ? left->outer : outer.left(), top ? top->outer : outer.top()));
        }
        Own_Now();
        quiet_.start(Quiet_Ms);
    }

    static constexpr int Confirm_Ms = 400;
    static constexpr int Most_Tries = 4;
    int tries_ = 0;
    int confirmations_ = 0;
    QWidget* window_;
    QTimer quiet_;
};

// Before the frame is known a request is also kept for later; after, any
// older request for the same edge is void.
void Remember(QWidget* window, std::optional<Pending_Outer_Bounds::Edge> Pending_Outer_Bounds::*edge, int outer,
              int own)
{
    if (!window->isWindow())
        return;
    if (!Frame_Known(window))
        Pending_Outer_Bounds::Of(window, true)->*edge = Pending_Outer_Bounds::Edge{outer, own};
    else if (auto* pending = Pending_Outer_Bounds::Of(window, false))
        pending->*edge = std::nullopt;
}

} // namespace

QRect Outer_Bounds(const QWidget* window)
{
    if (!window->isWindow())
        return window->geometry();
    if (!window->testAttribute(Qt::WA_WState_Created))
        return window->frameGeometry(); // where the window manager will put the frame
    return window->geometry().marginsAdded(Frame(window));
}

void Set_Outer_Left(QWidget* window, int left)
{
    Move_Frame_To(window, QPoint(left, Outer_Bounds(window).top()));
    Remember(window, &Pending_Outer_Bounds::left, left, window->geometry().left());
}

void Set_Outer_Top(QWidget* window, int top)
{
    Move_Frame_To(window, QPoint(Outer_Bounds(window).left(), top));
    Remember(window, &Pending_Outer_Bounds::top, top, window->geometry().top());
}

void Set_Outer_Width(QWidget* window, int width)
{
    const QMargins frame = Frame(window);
    window->resize(std::max(width - frame.left() - frame.right(), Least_Own_Size(window).width()), window->height());
    Remember(window, &Pending_Outer_Bounds::width, width, window->width());
}

void Set_Outer_Height(QWidget* window, int height)
{
    const QMargins frame = Frame(window);
    window->resize(window->width(), std::max(height - frame.top() - frame.bottom(), Least_Own_Size(window).height()));
    Remember(window, &Pending_Outer_Bounds::height, height, window->height());
}

QSize Least_Own_Size(const QWidget* window)
{
    constexpr int Client_Strip = 20;
    const QSize content = window->minimumSizeHint().expandedTo(QSize(0, 0));
    return {std::max(content.width(), Least_Outer_Width / 2), content.height() + Client_Strip};
}

namespace {

void Centre_Outer_Bounds(QWidget* window, const QRect& area, const QWidget* framed_alike)
{
    QMargins frame = Frame(window);
    const bool known = !frame.isNull();
    // Not framed yet: the frame another window of the program has is the
    // best guess of the one this gets, and the window's own area is placed
    // inside where that frame would stand.
    if (!known && framed_alike)
        frame = Frame(framed_alike);
    const QPoint outer = Centred_Top_Left(window->size().grownBy(frame), area);
    if (known || !window->testAttribute(Qt::WA_WState_Created))
        Move_Frame_To(window, outer);
    else
        window->setGeometry(QRect(outer + QPoint(frame.left(), frame.top()), window->size()));
    if (known)
        return;
    Pending_Outer_Bounds* pending = Pending_Outer_Bounds::Of(window, true);
    pending->left = Pending_Outer_Bounds::Edge{outer.x(), window->geometry().left()};
    pending->top = Pending_Outer_Bounds::Edge{outer.y(), window->geometry().top()};
    pending->centre_in = area;
}

} // namespace

void Centre_On_Screen(QWidget* window)
{
    const QWidget* opener = QApplication::activeWindow();
    if (opener == window)
        opener = nullptr;
    const QScreen* screen = opener ? opener->screen() : QGuiApplication::primaryScreen();
    if (screen)
        Centre_Outer_Bounds(window, screen->geometry(), opener);
}

QRect Sane_Window_Bounds(int left, int top, int width, int height, const QList<QRect>& screens, const QRect& primary)
{
    if (screens.isEmpty() || primary.isEmpty())
        return QRect(left, top, std::max(width, Least_Outer_Width), std::max(height, Least_Outer_Height));
    QRect desktop;
    for (const QRect& screen : screens)
        desktop |= screen;
    const std::int64_t w = std::min<std::int64_t>(std::max(width, Least_Outer_Width), desktop.width());
    const std::int64_t h = std::min<std::int64_t>(std::max(height, Least_Outer_Height), desktop.height());
    std::int64_t x = left;
    std::int64_t y = top;
    const auto screen_under = [&]() -> const QRect* {
        for (const QRect& screen : screens)
            if (x < std::int64_t{screen.x()} + screen.width() && x + w > screen.x()
                && y < std::int64_t{screen.y()} + screen.height() && y + h > screen.y())
                return &screen;
        return nullptr;
    };
    // Grown from a size too small to use, the window must not grow off the
    // screen the file put it on, past where the user can reach its title bar.
    if (const QRect* screen = screen_under(); screen && (w > width || h > height)) {
        const std::int64_t right = std::int64_t{screen->x()} + screen->width();
        const std::int64_t bottom = std::int64_t{screen->y()} + screen->height();
        x = std::max<std::int64_t>(std::min(x, right - w), screen->x());
        y = std::max<std::int64_t>(std::min(y, bottom - h), screen->y());
    }
    if (!screen_under()) {
        const std::int64_t right = std::int64_t{primary.x()} + primary.width();
        const std::int64_t bottom = std::int64_t{primary.y()} + primary.height();
        x = std::max<std::int64_t>(x, primary.x());
        y = std::max<std::int64_t>(y, primary.y());
        if (y + h > bottom && h < primary.height())
            y = bottom - h;
        if (x + w > right && w < primary.width())
            x = right - w;
        // As wide or as tall as the screen, a window keep-inside leaves alone
        // can still be off it that way.
        if (x >= right || x + w <= primary.x())
            x = primary.x();
        if (y >= bottom || y + h <= primary.y())
            y = primary.y();
    }
    return QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(w), static_cast<int>(h));
}

QRect Sane_Window_Bounds(int left, int top, int width, int height)
{
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->geometry();
    const QScreen* primary = QGuiApplication::primaryScreen();
    return Sane_Window_Bounds(left, top, width, height, screens, primary ? primary->geometry() : QRect());
}
