#include "shared/platform/serial_speed.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>

namespace platform::serial_speed {

int setCustomBaud(int fd, int baud) {
    termios2 settings{};
    if (::ioctl(fd, TCGETS2, &settings) != 0) return errno;
    settings.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = static_cast<speed_t>(baud);
    settings.c_ospeed = static_cast<speed_t>(baud);
    if (::ioctl(fd, TCSETS2, &settings) != 0) return errno;
    return 0;
}

int readBaud(int fd) {
    termios2 settings{};
    if (::ioctl(fd, TCGETS2, &settings) != 0) return -1;
    return static_cast<int>(settings.c_ospeed);
}

}  // namespace platform::serial_speed
