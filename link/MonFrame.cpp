#include "link/Monicom.h"

#include <cstring>

namespace MonFrame {

int RequestDataCount(std::uint8_t command) {
    switch (command) {
    case 0x01:
    case 0x06:
    case 0x66:
    case 0x69:
        return 1;
    case 0x59:
    case 0x5C:
    case 0x68:
    case 0x6B:
        return 2;
    case 0x03:
    case 0x5E:
    case 0x65:
        return 3;
    case 0x5B:
        return 4;
    default:
        return 0;
    }
}

std::vector<std::uint8_t> BuildRequest(const MonRequest& request) {
    const int count = RequestDataCount(request.command);
    std::vector<std::uint8_t> frame;
    frame.reserve(6 + std::size_t(count) + 3);
    frame.insert(frame.end(), {kSync, kSync, 'n', 'P', request.length, request.command});
    frame.insert(frame.end(), request.data.begin(), request.data.begin() + count);
    // The checksum covers everything from the 'n' on.
    frame.push_back(Xor(frame.data() + 2, frame.size() - 2));
    frame.push_back(kTrailer);
    frame.push_back(kTrailer);
    return frame;
}

int ReplyDataCount(std::uint8_t kind) {
    switch (kind) {
    case 0x05:
    case 0x6D:
        return 1;
    case 0x4F:
        return 2;
    case 0x58:
    case 0x5D:
    case 0x64:
        return 3;
    case 0x4E:
    case 0x5A:
    case 0x67:
    case 0x6A:
        return 4;
    case 0x02:
        return 7;
    case 0xE1:
        return 28;
    default:
        return -1;
    }
}

int ReplyBodyLength(std::uint8_t lengthByte, std::uint8_t kind) {
    const int n = lengthByte & 0x7F;
    // This reply declares one byte too few: it carries three data bytes and the checksum.
    return kind == 0x5D && n == 3 ? 4 : n;
}

std::uint8_t Xor(const std::uint8_t* bytes, std::size_t count, std::uint8_t seed) {
    for (std::size_t i = 0; i < count; ++i)
        seed ^= bytes[i];
    return seed;
}

MonIdentity UnpackIdentity(const std::uint8_t* data) {
    MonIdentity identity;
    std::memcpy(identity.revision, data, 1);
    std::memcpy(identity.field2, data + 1, 7);
    std::memcpy(identity.maker, data + 8, 8);
    std::memcpy(identity.model, data + 16, 8);
    identity.serial = std::uint32_t(data[24]) << 24 | std::uint32_t(data[25]) << 16 |
                      std::uint32_t(data[26]) << 8 | data[27];
    return identity;
}

} // namespace MonFrame
