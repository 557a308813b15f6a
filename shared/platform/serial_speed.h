#pragma once

// Rates without a B constant, through termios2. Kept apart from serial_device.cpp because the
// kernel's termios2 header clashes with the C library's <termios.h>.

namespace platform::serial_speed {

// Sets input and output rate of the open terminal to `baud` with BOTHER; 0 or the errno.
int setCustomBaud(int fd, int baud);
// The output rate the driver holds, in bit/s; -1 (errno kept) when it cannot be read.
int readBaud(int fd);

}  // namespace platform::serial_speed
