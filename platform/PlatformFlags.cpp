#include "platform/PlatformFlags.h"

PlatformFlags& Platform() {
    static PlatformFlags flags;
    return flags;
}
