#include "platform/SerialLine.h"

#include <gtest/gtest.h>

namespace {

termios RawLine(speed_t speed = B9600) {
    termios tio{};
    cfmakeraw(&tio);
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    tio.c_cflag = (tio.c_cflag & ~(CSIZE | PARENB | CSTOPB)) | CS8 | CREAD | CLOCAL;
    return tio;
}

} // namespace

TEST(SerialLine, TheMonitorsLineHasNoProblems) {
    termios tio = RawLine();
    EXPECT_EQ(SerialLine::From(tio).Problems(), QString());
    EXPECT_EQ(SerialLine::From(tio).Describe(), "9600 baud 8N1, no handshake");
    tio.c_cflag |= CRTSCTS;
    EXPECT_EQ(SerialLine::From(tio).Describe(), "9600 baud 8N1, RTS/CTS");
    EXPECT_EQ(SerialLine::From(tio).Problems(), QString()) << "the handshake is judged by the port";
}

TEST(SerialLine, EverySettingADriverMayKeepIsNamed) {
    EXPECT_EQ(SerialLine::From(RawLine(B19200)).Problems(),
              "speed 19200 baud instead of 9600 baud");
    termios tio = RawLine(B4800);
    EXPECT_EQ(SerialLine::From(tio).Describe(), "4800 baud 8N1, no handshake");

    tio = RawLine();
    tio.c_cflag = (tio.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB;
    tio.c_iflag |= IXON;
    EXPECT_EQ(SerialLine::From(tio).Problems(),
              "7 data bits instead of 8, parity on, 2 stop bits, XON/XOFF handshake on");
    EXPECT_EQ(SerialLine::From(tio).Describe(), "9600 baud 7P2, XON/XOFF");

    tio = RawLine();
    tio.c_lflag |= ICANON | ECHO;
    EXPECT_EQ(SerialLine::From(tio).Problems(), "the driver still edits the bytes (not raw)");
    tio = RawLine(B50);
    EXPECT_EQ(SerialLine::From(tio).Problems(), "speed an unknown speed instead of 9600 baud");
}
