// The simulated monitor's item table and the models it can pretend to be.

#include "sim/SimMonitor.h"

namespace {

struct ItemRow {
    std::uint8_t code;
    const char* name;
    std::uint16_t maximum;
    std::uint16_t factory;
};

// The monitor's own table: wire code, prompt name, range and factory setting per item. The
// names are those the program and qelt32ctl use.
constexpr std::array<ItemRow, SimItems::kCount> kItems = {{
    {0x02, "bright", 255, 150},       {0x04, "contrast", 255, 230},  {0x1A, "hsize", 255, 140},
    {0x18, "hpos", 255, 128},         {0x12, "vsize", 255, 136},     {0x10, "vpos", 255, 128},
    {0x1E, "sidepin", 255, 120},      {0x90, "trapezoi", 255, 128},  {0xAA, "pinbala", 255, 128},
    {0xA8, "paralle", 255, 128},      {0xBC, "pinbottom", 127, 64},  {0xBA, "pintop", 127, 64},
    {0xC0, "pinbottombala", 127, 64}, {0xBE, "pintopbala", 127, 64}, {0xD4, "vlinearbala", 127, 64},
    {0xD2, "vlinear", 127, 64},       {0x1C, "hconv", 127, 64},      {0x14, "vconv", 127, 64},
    {0x88, "hmoire", 63, 0},          {0x8A, "vmoire", 63, 0},       {0xC2, "vconvtop", 127, 64},
    {0xC4, "vconvbottom", 127, 64},   {0x06, "tilt", 127, 64},       {0x80, "rcutoff", 255, 128},
    {0x82, "gcutoff", 255, 128},      {0x84, "bcutoff", 255, 128},   {0x0A, "rgain", 255, 200},
    {0x0C, "ggain", 255, 200},        {0x0E, "bgain", 255, 200},     {0x86, "subcon", 255, 200},
    {0xF0, "modeword", 0xFFFF, 0},    {0xF2, "colormode", 2, 0},     {0xF4, "interval", 12, 6},
    {0xF8, "autosize", 1, 0},         {0xFA, "colorpreset", 13, 11},
}};

QByteArray Padded(const char* text, int width) {
    return QByteArray(text).leftJustified(width, ' ', true);
}

SimProfile RevisionC(const char* name, const char* model, std::uint32_t serial) {
    SimProfile p;
    p.name = QString::fromLatin1(name);
    p.revision = 'C';
    p.field2 = Padded("C-0210", 7);
    p.maker = Padded("VORKA", 8);
    p.model = Padded(model, 8);
    p.serial = serial;
    for (int i = 0; i < SimItems::kCount; ++i)
        p.items[i] = {kItems[i].maximum, kItems[i].factory, true};
    p.items[11].available = false; // the pin-top control came with the later chassis
    // 4000 K is reddish, 10000 K bluish; 6500 K sits between them.
    p.tableA = {250, 190, 120, 140, 120, 90, 200};
    p.tableB = {220, 205, 180, 128, 125, 115, 200};
    p.tableC = {160, 200, 250, 105, 125, 150, 200};
    // Positions of 4000..6500 K in 500 K steps, then (from 6500 K on) of 7000, 7500, 8000,
    // 8500, 9000, 9300, 9500 and 10000 K.
    p.breakpoints = {0, 20, 40, 60, 80, 100, 114, 127, 139, 150, 160, 166, 170, 180};
    p.fH = 6840;
    p.fV = 7500;
    return p;
}

SimProfile RevisionB() {
    SimProfile p;
    p.name = QStringLiteral("revB");
    p.revision = 'B';
    p.field2 = Padded("B-0107", 7);
    p.maker = Padded("VORKA", 8);
    p.model = Padded("VR-17B", 8);
    p.serial = 70211853;
    for (int i = 0; i < SimItems::kCount; ++i)
        p.items[i] = {kItems[i].maximum, kItems[i].factory, true};
    // The older chassis has no pin top/bottom controls, no top/bottom convergence, no
    // auto-sizing and no colour-temperature presets.
    for (int item : {10, 11, 12, 13, 20, 21, SimItems::AutoSize, SimItems::ColorPreset})
        p.items[item].available = false;
    p.items[SimItems::ColorPreset].factory = 0;
    p.tableA = {200, 210, 240, 110, 125, 140, 190}; // 9300 K
    p.tableB = {240, 205, 170, 130, 124, 112, 190}; // 6500 K
    p.fH = 68;
    p.fV = 75;
    return p;
}

} // namespace

namespace SimItems {

std::uint8_t Code(int item) {
    return item >= 0 && item < kCount ? kItems[item].code : 0xFF;
}

int FromCode(std::uint8_t code) {
    for (int i = 0; i < kCount; ++i)
        if (kItems[i].code == code)
            return i;
    return -1;
}

const char* Name(int item) {
    return item >= 0 && item < kCount ? kItems[item].name : "";
}

int FromName(const QString& nameOrNumber) {
    bool isNumber = false;
    const int number = nameOrNumber.toInt(&isNumber);
    if (isNumber)
        return number >= 0 && number < kCount ? number : -1;
    for (int i = 0; i < kCount; ++i)
        if (nameOrNumber.compare(QLatin1String(kItems[i].name), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace SimItems

QStringList SimProfile::Names() {
    return {"revB", "revB15", "revC", "tr4427", "tr5513", "tr3306", "layout2", "lcd", "foreign"};
}

std::optional<SimProfile> SimProfile::ByName(const QString& name) {
    if (name == "revB")
        return RevisionB();
    if (name == "revB15") {
        SimProfile p = RevisionB();
        p.name = name;
        p.field2 = Padded("B-0112", 7);
        p.serial = 70219402;
        p.tablesAt15 = true;
        return p;
    }
    if (name == "revC")
        return RevisionC("revC", "VR-21C", 81100427);
    if (name == "tr4427")
        return RevisionC("tr4427", "TR-4427", 81204431);
    if (name == "tr5513") {
        // Reports top/bottom convergence although the chassis lacks it; the program
        // knows the model and ignores them.
        return RevisionC("tr5513", "TR-5513", 81305517);
    }
    if (name == "tr3306") {
        SimProfile p = RevisionC("tr3306", "TR-3306", 81403309);
        for (int item : {19, 20, 21})
            p.items[item].available = false;
        return p;
    }
    if (name == "layout2") {
        SimProfile p = RevisionC("layout2", "VR-22C", 81502254);
        p.items[11].available = true;
        return p;
    }
    if (name == "lcd")
        return RevisionC("lcd", "LQ-150X", 81600150);
    if (name == "foreign") {
        SimProfile p = RevisionC("foreign", "MX-2100", 12345678);
        p.maker = Padded("MERIDIAN", 8);
        return p;
    }
    return std::nullopt;
}
