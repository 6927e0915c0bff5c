#include "sim/SimConsole.h"

#include "sim/SimMonitor.h"

#include <QRegularExpression>

#include <cmath>

namespace {

SimCommandResult Ok(const QString& answer) {
    return {answer, false, true};
}
SimCommandResult Error(const QString& reason) {
    return {QStringLiteral("error: %1").arg(reason), false, false};
}

bool ParseNumber(const QString& text, int low, int high, int* value) {
    bool ok = false;
    const int v = text.toInt(&ok, 0); // 0x.. is accepted too
    if (!ok || v < low || v > high)
        return false;
    *value = v;
    return true;
}

QString Describe(const CSimMonitor& m, int item) {
    return QStringLiteral("%1 (%2) = %3, max %4, stored %5%6")
        .arg(QLatin1String(SimItems::Name(item)))
        .arg(item)
        .arg(m.Value(item))
        .arg(m.Maximum(item))
        .arg(m.Stored(item))
        .arg(m.Status(item) == 0 ? "" : ", not available");
}

// A scan frequency as the monitor reports it: whole kHz/Hz on revision B, hundredths on
// the others.
bool ParseFrequency(const CSimMonitor& m, const QString& text, std::uint16_t* reading) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    const double scaled = std::round(m.Profile().revision == 'B' ? value : value * 100);
    // Written so that "nan" fails too: it compares false with everything.
    if (!ok || !(value > 0) || !(scaled <= 65535))
        return false;
    *reading = std::uint16_t(scaled);
    return true;
}

} // namespace

QString SimCommandHelp() {
    return QStringLiteral(
        "key ITEM VALUE         a front-panel key: change ITEM and report it to the program\n"
        "timing FH FV [STATUS]  the display timing changed (FH in kHz, FV in Hz, e.g. 68.4 75;\n"
        "                       STATUS 0 asks for auto-sizing, default 0)\n"
        "short                  send a kind-0x5D frame whose length byte says one too few\n"
        "noise N                N noise bytes before the next reply\n"
        "badsum                 a wrong checksum on the next reply\n"
        "drop N                 the next N replies are not sent\n"
        "delay MS               every reply waits MS milliseconds (0: answer at once)\n"
        "stick ITEM on|off|other  set-values to ITEM take effect / are ignored / land one off\n"
        "pull                   pull the cable: the device hangs up and disappears\n"
        "replug                 plug it in again (a new device; the link follows)\n"
        "get ITEM               show an item\n"
        "set ITEM VALUE         change an item silently (no report)\n"
        "dump                   show the whole monitor\n"
        "help                   this list\n"
        "quit                   end the simulator\n"
        "ITEM is a number 0..34 or a name as qelt32ctl uses it: bright, hsize, pintop, rgain,\n"
        "  modeword, colormode, colorpreset, ...");
}

SimCommandResult RunSimCommand(CSimMonitor& m, const QString& line) {
    const QStringList words =
        line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return Ok({});
    const QString command = words[0].toLower();
    const qsizetype argc = words.size() - 1;
    auto item = [&words](int index) { return SimItems::FromName(words.value(index)); };
    auto usage = [](const char* text) { return Error(QStringLiteral("usage: %1").arg(text)); };

    if (command == "help")
        return Ok(SimCommandHelp());
    if (command == "quit" || command == "exit")
        return {QStringLiteral("bye"), true, true};
    if (command == "dump")
        return Ok(m.Dump().trimmed());
    if (command == "badsum") {
        m.CorruptNextChecksum();
        return Ok(QStringLiteral("the next reply gets a bad checksum"));
    }
    if (command == "short") {
        m.SendShortLengthFrame();
        return Ok(QStringLiteral("a frame of kind 5d declaring 3 sent"));
    }
    if (command == "pull") {
        m.PullCable();
        return Ok(QStringLiteral("cable pulled"));
    }
    if (command == "replug") {
        m.Replug();
        return Ok(QStringLiteral("cable plugged in"));
    }
    if (command == "get") {
        if (argc != 1 || item(1) < 0)
            return usage("get ITEM");
        return Ok(Describe(m, item(1)));
    }
    if (command == "key" || command == "set") {
        int value = 0;
        if (argc != 2 || item(1) < 0 || !ParseNumber(words[2], 0, 65535, &value))
            return usage(command == "key" ? "key ITEM VALUE" : "set ITEM VALUE");
        if (command == "set")
            m.SetValue(item(1), std::uint16_t(value));
        else if (!m.PanelChange(item(1), std::uint16_t(value)))
            return Error(QStringLiteral("%1 is not available on this monitor").arg(words[1]));
        return Ok(Describe(m, item(1)));
    }
    if (command == "timing") {
        std::uint16_t fH = 0, fV = 0;
        int status = 0;
        if (argc < 2 || argc > 3 || !ParseFrequency(m, words[1], &fH) ||
            !ParseFrequency(m, words[2], &fV) ||
            (argc == 3 && !ParseNumber(words[3], 0, 255, &status)))
            return usage("timing FH FV [STATUS]");
        m.TimingChange(fH, fV, std::uint8_t(status));
        return Ok(QStringLiteral("timing %1 %2 sent, status %3").arg(fH).arg(fV).arg(status));
    }
    if (command == "noise" || command == "drop" || command == "delay") {
        int n = 0;
        if (argc != 1 || !ParseNumber(words[1], 0, command == "delay" ? 600000 : 10000, &n))
            return usage(command == "delay" ? "delay MS" : "noise|drop N");
        if (command == "noise")
            m.InjectNoise(n);
        else if (command == "drop")
            m.DropReplies(n);
        else
            m.SetReplyDelay(n);
        return Ok(QStringLiteral("%1 %2").arg(command).arg(n));
    }
    if (command == "stick") {
        const QString how = words.value(2).toLower();
        if (argc != 2 || item(1) < 0 || (how != "on" && how != "off" && how != "other"))
            return usage("stick ITEM on|off|other");
        m.SetStick(item(1), how == "on"    ? SimStick::Sticks
                            : how == "off" ? SimStick::KeepsOld
                                           : SimStick::ReportsOther);
        return Ok(QStringLiteral("%1 %2").arg(QLatin1String(SimItems::Name(item(1))), how));
    }
    return Error(QStringLiteral("unknown command \"%1\" (try help)").arg(words[0]));
}
