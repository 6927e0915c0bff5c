#pragma once

#include <QString>

#include <termios.h>

// The line settings a serial device holds, as read back from its driver: a driver may take
// a settings call without error yet keep another speed or drop the hardware handshake.
struct SerialLine {
    int inputBaud = 0; // 0 when the driver reports a speed we do not know
    int outputBaud = 0;
    int dataBits = 8;
    bool parity = false;
    int stopBits = 1;
    bool rtsCts = false;  // hardware handshake
    bool xonXoff = false; // software handshake, which would eat frame bytes 0x11 and 0x13
    bool raw = true;      // no line editing, echo or output processing

    static SerialLine From(const termios& tio);
    // "9600 baud 8N1, RTS/CTS" and the like.
    QString Describe() const;
    // What differs from the raw 9600 8N1 line the monitor speaks, in words ("speed 19200
    // baud, 7 data bits"); empty when nothing does. The handshake is not judged here.
    QString Problems() const;
};
