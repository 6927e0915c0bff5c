#include "cli/CommandRegistry.h"

#include <cassert>
#include <map>

namespace {

// Built on first use, so registrars in any translation unit may run before main().
std::map<QString, CliCommand>& Commands() {
    static std::map<QString, CliCommand> commands;
    return commands;
}

} // namespace

namespace CommandRegistry {

void Add(CliCommand command) {
    const QString name = command.name;
    [[maybe_unused]] const bool added = Commands().emplace(name, std::move(command)).second;
    assert(added && "two commands with one name");
}

const CliCommand* Find(const QString& name) {
    const auto it = Commands().find(name);
    return it == Commands().end() ? nullptr : &it->second;
}

std::vector<const CliCommand*> All() {
    std::vector<const CliCommand*> all;
    for (const auto& [name, command] : Commands())
        all.push_back(&command);
    return all;
}

QStringList TakingJson() {
    QStringList names;
    for (const auto& [name, command] : Commands())
        if (!command.json.isEmpty())
            names << name;
    return names;
}

} // namespace CommandRegistry
