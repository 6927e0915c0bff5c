#pragma once

#include <QString>

#include <vector>

// The serial devices a user may pick the monitor's port from: the USB adapters by their
// stable names (the by-id link where there is one), each with the maker and model the
// device tree gives, in discovery's order. Candidates discovery would not probe (not a
// terminal, a link to nowhere) are left out.
struct PortChoice {
    QString path;        // what is opened and remembered
    QString description; // "FTDI FT232R USB UART"; empty when the device tree says nothing
    // "path (description)", or the path alone.
    QString Label() const;
};

std::vector<PortChoice> ListPortChoices();
