#include "link/Monitor.h"

namespace Items {
namespace {
// The monitor's 35 adjustment items: wire code, settings key, command-line name. Items
// without a settings key still need a name for qelt32ctl.
constexpr ItemInfo kItems[kCount] = {
    {0x02, "bright", "bright"},       {0x04, "contrast", "contrast"},
    {0x1A, "hsize", "hsize"},         {0x18, "hpos", "hpos"},
    {0x12, "vsize", "vsize"},         {0x10, "vpos", "vpos"},
    {0x1E, "sidepin", "sidepin"},     {0x90, "trapezoi", "trapezoi"},
    {0xAA, "pinbala", "pinbala"},     {0xA8, "paralle", "paralle"},
    {0xBC, nullptr, "pinbottom"},     {0xBA, nullptr, "pintop"},
    {0xC0, nullptr, "pinbottombala"}, {0xBE, nullptr, "pintopbala"},
    {0xD4, nullptr, "vlinearbala"},   {0xD2, nullptr, "vlinear"},
    {0x1C, "hconv", "hconv"},         {0x14, "vconv", "vconv"},
    {0x88, "hmoire", "hmoire"},       {0x8A, "vmoire", "vmoire"},
    {0xC2, nullptr, "vconvtop"},      {0xC4, nullptr, "vconvbottom"},
    {0x06, "tilt", "tilt"},           {0x80, "rcutoff", "rcutoff"},
    {0x82, "gcutoff", "gcutoff"},     {0x84, "bcutoff", "bcutoff"},
    {0x0A, "rgain", "rgain"},         {0x0C, "ggain", "ggain"},
    {0x0E, "bgain", "bgain"},         {0x86, "subcon", "subcon"},
    {0xF0, nullptr, "modeword"},      {0xF2, nullptr, "colormode"},
    {0xF4, nullptr, "interval"},      {0xF8, nullptr, "autosize"},
    {0xFA, nullptr, "colorpreset"},
};
} // namespace

const ItemInfo& Info(int item) {
    return kItems[item];
}

int FromCode(std::uint8_t code) {
    for (int item = 0; item < kCount; ++item)
        if (kItems[item].code == code)
            return item;
    return -1;
}

int FromName(const QString& name) {
    for (int item = 0; item < kCount; ++item)
        if (name.compare(QLatin1String(kItems[item].name), Qt::CaseInsensitive) == 0)
            return item;
    return -1;
}
} // namespace Items
