#include "X11Transfer.h"

#include <QGuiApplication>
#include <sys/socket.h>
#include <xcb/xcb.h>

namespace X11Transfer {

void chooseSocketImages()
{
    // By default each repaint goes to the server through a shared-memory
    // image, and Qt waits for the server to release it before the next
    // frame: two thread wake-ups and a round trip per needle step, which
    // costs more than sending the step's pixels down the socket. Measured
    // with bench/compare_xgpsspeed.sh (25 s, 10 fixes/s, two runs each, with
    // the window's repaints down to the needles' boxes): with it, phone
    // 0.54-0.55 s CPU and 3,150-3,191 context switches, tablet 0.67-0.71 s
    // and 4,016-4,184; without, 0.44-0.46 s and 2,125-2,197, 0.66-0.68 s and
    // 3,049-3,413.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

int widenSendBuffer()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return 0;
    const int fd = xcb_get_file_descriptor(x11->connection());
    // A tablet's needle step is some 130 KB of pixels; the socket's default
    // 208 KiB holds one step but not the next while the server still reads,
    // so nearly every frame blocked in xcb_flush. Measured over 15 s of a
    // 10 fixes/s feed: tablet 1,304 context switches with the default,
    // 1,140 with 416 KiB (a stock kernel's net.core.wmem_max allows that
    // much) and 760 with 1 MiB; the phone 949 and 744. The kernel caps the
    // request at net.core.wmem_max; a failure leaves the default.
    int size = 0;
    socklen_t length = sizeof size;
    if (getsockopt(fd, SOL_SOCKET, SO_SNDBUF, &size, &length) == 0 && size >= kSendBufferBytes)
        return size;
    const int wanted = kSendBufferBytes;
    setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &wanted, sizeof wanted);
    length = sizeof size;
    return getsockopt(fd, SOL_SOCKET, SO_SNDBUF, &size, &length) == 0 ? size : 0;
}

} // namespace X11Transfer
