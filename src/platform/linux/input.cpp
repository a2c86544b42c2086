// Cursor, mouse buttons and screen size on Linux.
//
// Under X11 one xcb_query_pointer on the root window answers position and
// both buttons system-wide, whatever window lies under the cursor. It goes
// over Qt's own connection, so the program holds one X connection only.
// Elsewhere (Qt's offscreen platform, Wayland) the position comes from Qt and
// no button is ever seen down: the program still runs, it just counts no presses.
#include "platform/input.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <xcb/xcb.h>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

class Linux_Input_Service final : public Input_Service {
public:
    Pointer_State Query_Pointer() override
    {
        if (xcb_connection_t* connection = Connection()) {
            xcb_query_pointer_reply_t* reply =
                xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root_), nullptr);
            if (!reply)
                return Last_Position();
            last_.x = reply->root_x;
            last_.y = reply->root_y;
            Pointer_State state = last_;
            state.left_down = (reply->mask & XCB_KEY_BUT_MASK_BUTTON_1) != 0;
            state.right_down = (reply->mask & XCB_KEY_BUT_MASK_BUTTON_3) != 0;
            std::free(reply);
            return state;
        }
        if (Has_Gui()) {
            const QPoint position = QCursor::pos();
            last_.x = position.x();
            last_.y = position.y();
        }
        return Last_Position();
    }

    std::int32_t Get_System_Metrics(int index) override
    {
        if (index != SM_CXSCREEN && index != SM_CYSCREEN)
            return 0;
        const QSize size = Screen_Size();
        return index == SM_CXSCREEN ? size.width() : size.height();
    }

private:
    static bool Has_Gui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

    Pointer_State Last_Position() const
    {
        Pointer_State state;
        state.x = last_.x;
        state.y = last_.y;
        return state;
    }

    // Qt's connection when the application runs on X11, with the root window
    // of the display's default screen; null elsewhere.
    xcb_connection_t* Connection()
    {
        // Looked up again only if the application object itself was replaced.
        if (QCoreApplication::instance() != looked_up_for_) {
            looked_up_for_ = QCoreApplication::instance();
            connection_ = nullptr;
            has_size_ = false;
            Look_Up_Connection();
        }
        if (connection_ && xcb_connection_has_error(connection_))
            connection_ = nullptr; // the display went away: carry on as without one
        return connection_;
    }

    void Look_Up_Connection()
    {
        auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
        if (!application)
            return;
        auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11 || !x11->connection())
            return;
        char* host = nullptr;
        int display_number = 0;
        int screen_number = 0;
        if (!xcb_parse_display(nullptr, &host, &display_number, &screen_number))
            screen_number = 0;
        std::free(host);
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x11->connection()));
        xcb_screen_t* screen = screens.data;
        for (int i = 0; i < screen_number && screens.rem > 1; ++i) {
            xcb_screen_next(&screens);
            screen = screens.data;
        }
        if (!screen)
            return;
        connection_ = x11->connection();
        root_ = screen->root;
    }

    // The root window's size. The screen can change size at run time (RandR),
    // so it is asked again, but at most once a second: the tick wants it
    // a hundred times a second and it almost never changes.
    QSize Screen_Size()
    {
        xcb_connection_t* connection = Connection();
        const Clock::time_point now = Clock::now();
        if (has_size_ && now - size_read_at_ < std::chrono::seconds(1))
            return size_;
        if (connection) {
            xcb_get_geometry_reply_t* geometry =
                xcb_get_geometry_reply(connection, xcb_get_geometry(connection, root_), nullptr);
            if (geometry) {
                size_ = QSize(geometry->width, geometry->height);
                std::free(geometry);
            }
        } else if (Has_Gui()) {
            if (const QScreen* screen = QGuiApplication::primaryScreen()) {
                const qreal ratio = screen->devicePixelRatio();
                size_ = QSize(static_cast<int>(std::lround(screen->geometry().width() * ratio)),
                              static_cast<int>(std::lround(screen->geometry().height() * ratio)));
            }
        }
        has_size_ = true;
        size_read_at_ = now;
        return size_;
    }

    const QCoreApplication* looked_up_for_ = nullptr;
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    Pointer_State last_;
    bool has_size_ = false;
    QSize size_;
    Clock::time_point size_read_at_;
};

} // namespace

template <>
Input_Service& Default_Service<Input_Service>()
{
    static Linux_Input_Service service;
    return service;
}

} // namespace platform
