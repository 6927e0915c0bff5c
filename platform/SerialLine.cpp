#include "platform/SerialLine.h"

#include <QStringList>

namespace {

int Baud(speed_t speed) {
    switch (speed) {
    case B1200:
        return 1200;
    case B2400:
        return 2400;
    case B4800:
        return 4800;
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    case B115200:
        return 115200;
    default:
        return 0;
    }
}

int DataBits(tcflag_t cflag) {
    switch (cflag & CSIZE) {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

QString BaudText(int baud) {
    return baud ? QStringLiteral("%1 baud").arg(baud) : QStringLiteral("an unknown speed");
}

} // namespace

SerialLine SerialLine::From(const termios& tio) {
    SerialLine line;
    line.inputBaud = Baud(cfgetispeed(&tio));
    line.outputBaud = Baud(cfgetospeed(&tio));
    line.dataBits = DataBits(tio.c_cflag);
    line.parity = (tio.c_cflag & PARENB) != 0;
    line.stopBits = (tio.c_cflag & CSTOPB) ? 2 : 1;
    line.rtsCts = (tio.c_cflag & CRTSCTS) != 0;
    line.xonXoff = (tio.c_iflag & (IXON | IXOFF)) != 0;
    line.raw = !(tio.c_lflag & (ICANON | ECHO | ISIG)) && !(tio.c_oflag & OPOST) &&
               !(tio.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP));
    return line;
}

QString SerialLine::Describe() const {
    return QStringLiteral("%1 %2%3%4, %5%6")
        .arg(BaudText(outputBaud))
        .arg(dataBits)
        .arg(parity ? QLatin1Char('P') : QLatin1Char('N'))
        .arg(stopBits)
        .arg(rtsCts    ? QStringLiteral("RTS/CTS")
             : xonXoff ? QStringLiteral("XON/XOFF")
                       : QStringLiteral("no handshake"))
        .arg(raw ? QString() : QStringLiteral(", not raw"));
}

QString SerialLine::Problems() const {
    QStringList problems;
    if (outputBaud != 9600 || inputBaud != 9600)
        problems << QStringLiteral("speed %1 instead of 9600 baud")
                        .arg(BaudText(outputBaud != 9600 ? outputBaud : inputBaud));
    if (dataBits != 8)
        problems << QStringLiteral("%1 data bits instead of 8").arg(dataBits);
    if (parity)
        problems << QStringLiteral("parity on");
    if (stopBits != 1)
        problems << QStringLiteral("2 stop bits");
    if (xonXoff)
        problems << QStringLiteral("XON/XOFF handshake on");
    if (!raw)
        problems << QStringLiteral("the driver still edits the bytes (not raw)");
    return problems.join(QStringLiteral(", "));
}
