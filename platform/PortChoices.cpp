#include "platform/PortChoices.h"

#include "platform/PortDiscovery.h"

QString PortChoice::Label() const {
    return description.isEmpty() ? path : QStringLiteral("%1 (%2)").arg(path, description);
}

std::vector<PortChoice> ListPortChoices() {
    std::vector<PortChoice> choices;
    for (const AdapterCandidate& adapter : PortDiscovery::FindAdapters()) {
        if (!adapter.skipped.isEmpty() || adapter.device.isEmpty())
            continue;
        choices.push_back({adapter.path, PortDiscovery::AdapterDescription(adapter.device)});
    }
    return choices;
}
