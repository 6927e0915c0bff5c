// Feeds arbitrary bytes to the link's receive path as a serial port delivers them: in
// pieces, with pauses that can outlast a wait. The first byte picks what the controller is
// doing while the bytes arrive (reading raw frames, asking for an item, the timing, memory
// or the identity, or handling unsolicited traffic); the second sets the piece size and how
// many pieces a wait sees. Every frame the reader accepts is checked against the frame
// rules independently: sync, 'P' 'n', length (with the one kind that declares a byte too
// few), known kind, checksum and trailer.
#include "link/Monitor.h"
#include "platform/PortMap.h"

#include "FeedPort.h"
#include "SilentMessages.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

struct CRig {
    CRig() : app(argc, argv) {
        SetUserMessages(&messages);
        PortMap().SetOnly(QStringLiteral("fuzz:line"));
        monitor.SetSerialPort(&port);
        // Waits are decided by the port; the sleeps for the monitor's own work are not.
        monitor.SetTimings({std::chrono::milliseconds(3000), std::chrono::milliseconds(0),
                            std::chrono::milliseconds(0)});
        monitor.SetTraceSink([this](bool sent, const std::uint8_t* bytes, std::size_t n) {
            if (!sent)
                received.assign(bytes, bytes + n);
        });
    }
    // Work the link defers until a wait is over runs as the program's event loop runs it.
    int argc = 1;
    char name[20] = "fuzz_frame_reader";
    char* argv[2] = {name, nullptr};
    QCoreApplication app;
    CSilentMessages messages;
    CFeedPort port;
    CMonitor monitor;
    std::vector<std::uint8_t> received; // the bytes the last receive took
};

// The last receive took a whole, valid frame at its end, of `kind` (any known kind when
// negative); its data bytes. The sync search stops at the first two 0x55 in a row, so that
// is where the frame starts.
const std::uint8_t* CheckFrame(const std::vector<std::uint8_t>& taken, int kind) {
    std::size_t at = 0;
    while (at + 1 < taken.size() && !(taken[at] == 0x55 && taken[at + 1] == 0x55))
        ++at;
    Check(at + 9 <= taken.size());
    const std::uint8_t* f = taken.data() + at;
    const int body = int(taken.size() - at) - 8;
    Check(f[2] == 'P' && f[3] == 'n' && MonFrame::ReplyBodyLength(f[4], f[5]) == body);
    Check(body <= MonFrame::kMaxReplyBody && (kind < 0 || f[5] == kind));
    const int dataCount = MonFrame::ReplyDataCount(f[5]);
    Check(dataCount >= 0 && body >= dataCount + 1);
    Check(MonFrame::Xor(f + 2, 4 + std::size_t(body)) == 0);
    Check(f[6 + body] == 0xAA && f[7 + body] == 0xAA);
    return f + 6;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CRig rig;
    if (size < 2)
        return 0;
    const std::uint8_t op = data[0], pacing = data[1];
    rig.port.Load(data + 2, size - 2, 1 + (pacing & 0x1F), 1 + (pacing >> 5));
    rig.port.Open(QString());
    rig.received.clear();

    MonReply reply;
    switch (op % 6) {
    case 0: // every frame on the line, one receive after another
        while (rig.monitor.ReceiveFrame(reply)) {
            const std::uint8_t* d = CheckFrame(rig.received, reply.kind);
            Check(std::equal(d, d + MonFrame::ReplyDataCount(reply.kind), reply.data.begin()));
            reply = MonReply();
        }
        break;
    case 1: {
        const std::uint8_t code = op >> 3;
        std::uint16_t maximum = 0, value = 0;
        int status = -1;
        if (rig.monitor.QueryItem(code, &maximum, &value, &status)) {
            const std::uint8_t* d = CheckFrame(rig.received, 0x02);
            Check(d[1] == code && status == d[0]);
            Check(maximum == (d[3] << 8 | d[4]) && value == (d[5] << 8 | d[6]));
        }
        break;
    }
    case 2: {
        std::uint16_t fH = 0, fV = 0;
        if (rig.monitor.QueryTiming(&fH, &fV)) {
            const std::uint8_t* d = CheckFrame(rig.received, 0x4E);
            Check(fH == (d[0] << 8 | d[1]) && fV == (d[2] << 8 | d[3]));
        }
        break;
    }
    case 3: {
        const std::uint16_t address = std::uint16_t(op * 0x0101);
        std::uint8_t first = 0, second = 0;
        if (rig.monitor.ReadMemory(address, &first, &second)) {
            const std::uint8_t* d = CheckFrame(rig.received, -1);
            Check(d[0] == address >> 8 && d[1] == (address & 0xFF));
            Check(first == d[2] && second == d[3]);
        }
        break;
    }
    case 4: // start-up's identity check: only our own makers' tube monitors are taken
        if (rig.monitor.OpenPort(0)) {
            const MonIdentity& id = rig.monitor.Identity();
            const QByteArray maker(id.maker, int(qstrnlen(id.maker, sizeof id.maker)));
            Check(maker.contains("QURE") || maker.contains("VORKA"));
            Check(!QByteArray(id.model, int(qstrnlen(id.model, sizeof id.model))).contains("LQ"));
        }
        break;
    case 5: // unsolicited traffic as the watcher hands it over
        rig.monitor.OnMonitorData();
        break;
    }
    // What a wait deferred (the follow-ups of a front-panel report) runs once it is over, as
    // the program's event loop would run it; what those defer in turn meets a closed port.
    // Left queued, they would pile up from one input to the next.
    QCoreApplication::sendPostedEvents();
    rig.monitor.ClosePort();
    QCoreApplication::sendPostedEvents();
    // Every request the link wrote is a whole frame of its own making.
    const std::vector<std::uint8_t>& out = rig.port.Written();
    for (std::size_t at = 0; at < out.size();) {
        Check(out.size() - at >= 9 && out[at] == 0x55 && out[at + 2] == 'n');
        const std::size_t n = 6 + std::size_t(MonFrame::RequestDataCount(out[at + 5])) + 3;
        Check(out.size() - at >= n && out[at + n - 1] == 0xAA);
        at += n;
    }
    return 0;
}
