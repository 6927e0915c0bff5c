#include "doc/LoadPlan.h"

#include "link/Monitor.h"
#include "platform/Profile.h"

using SettingsFormat::Form;
using SettingsFormat::SettingsContent;

LoadGroups LoadGroups::FromProfile() {
    return {Profile::GetInt("Settings", "screen", 1) != 0,
            Profile::GetInt("Settings", "color", 1) != 0,
            Profile::GetInt("Settings", "pawer", 1) != 0};
}

void LoadGroups::WriteToProfile() const {
    Profile::WriteInt("Settings", "screen", screen ? 1 : 0);
    Profile::WriteInt("Settings", "color", color ? 1 : 0);
    Profile::WriteInt("Settings", "pawer", power ? 1 : 0);
}

bool TimingMatches(std::uint16_t fh, std::uint16_t fv, std::uint16_t fH, std::uint16_t fV) {
    const auto near = [](int file, int monitor) {
        return file >= monitor - 1 && file <= monitor + 1;
    };
    return near(fh, fH) && near(fv, fV);
}

namespace {

class CPlanBuilder {
public:
    CPlanBuilder(const SettingsContent& content, std::vector<LoadStep>& steps)
        : m_content(content), m_steps(steps) {}

    void Write(int item) {
        if (const auto& value = m_content.values[item])
            m_steps.push_back({LoadOp::WriteItem, item, *value});
    }
    // A mode-word setter takes the saved word and changes only its own bits.
    void FromFlags(LoadOp op) {
        if (const auto& word = m_content.values[Items::ModeWord])
            m_steps.push_back({op, -1, *word});
    }

private:
    const SettingsContent& m_content;
    std::vector<LoadStep>& m_steps;
};

void PlanBinary(CPlanBuilder& plan, const LoadGroups& groups, bool screen) {
    if (screen) {
        plan.FromFlags(LoadOp::HMoireOnFromFlags);
        plan.FromFlags(LoadOp::VMoireOnFromFlags);
        for (int item = 2; item <= 22; ++item)
            plan.Write(item);
    }
    if (groups.color) {
        plan.FromFlags(LoadOp::ColorCustomFromFlags);
        for (int item : {Items::ColorPreset, Items::ColorMode, Items::Bright, Items::Contrast})
            plan.Write(item);
        for (int item = 23; item <= 29; ++item)
            plan.Write(item);
    }
    if (groups.power) {
        plan.FromFlags(LoadOp::PowerSaveModeFromFlags);
        plan.FromFlags(LoadOp::Mode1DelayFromFlags);
        plan.Write(Items::Interval);
    }
}

void PlanText(CPlanBuilder& plan, const SettingsContent& content, bool screen) {
    if (screen && content.textScreen) {
        plan.FromFlags(LoadOp::HMoireOnFromFlags);
        plan.FromFlags(LoadOp::VMoireOnFromFlags);
        for (int item : SettingsFormat::kTextScreenItems)
            plan.Write(item);
    }
    if (content.textColor)
        for (int item : SettingsFormat::kTextColorItems)
            plan.Write(item);
}

} // namespace

LoadPlan PlanLoad(const SettingsContent& content, const MonitorIdentity& monitor,
                  const LoadGroups& groups) {
    LoadPlan result;
    if (!content.hasSerial || content.serial != monitor.serial) {
        result.otherMonitor = true;
        return result;
    }
    result.timingMismatch =
        !monitor.timingKnown || !TimingMatches(content.fh, content.fv, monitor.fH, monitor.fV);
    CPlanBuilder plan(content, result.steps);
    if (content.form == Form::Binary)
        PlanBinary(plan, groups, groups.screen && !result.timingMismatch);
    else
        PlanText(plan, content, !result.timingMismatch);
    return result;
}
