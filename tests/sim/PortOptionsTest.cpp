#include "TempProfile.h"

#include "platform/PortMap.h"
#include "platform/Profile.h"
#include "sim/PortOptions.h"
#include "sim/SimServer.h"

#include <QCommandLineParser>

#include <gtest/gtest.h>

namespace {

class PortOptions : public testing::Test {
protected:
    PortOptions() {
        PortMap().SetAll({"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"});
        AddPortOptions(parser);
    }
    // Parses `args` (after the program name) and applies them.
    bool Apply(QStringList args) {
        args.prepend("qelt32ctl");
        if (!parser.parse(NormalizePortArguments(args))) {
            error = parser.errorText();
            return false;
        }
        return ApplyPortOptions(parser, sim, &error);
    }
    QStringList Slots() const {
        QStringList paths;
        for (int i = 0; i < 4; ++i)
            paths << PortMap().Path(i);
        return paths;
    }

    CTempProfile profile;
    QCommandLineParser parser;
    std::unique_ptr<CSimServer> sim;
    QString error;
};

} // namespace

TEST(PortArguments, SimulateWithAProfileBecomesTwoOptions) {
    EXPECT_EQ(NormalizePortArguments({"p", "--simulate=revB", "-x"}),
              QStringList({"p", "--simulate", "--sim-profile", "revB", "-x"}));
    EXPECT_EQ(NormalizePortArguments({"p", "--simulate", "a.qlt"}),
              QStringList({"p", "--simulate", "a.qlt"}));
    // After "--" everything is a file name, however it looks.
    EXPECT_EQ(NormalizePortArguments({"p", "--", "--simulate=revB"}),
              QStringList({"p", "--", "--simulate=revB"}));
}

TEST_F(PortOptions, NothingGivenKeepsTheProfileOverrides) {
    Profile::WriteString("Ports", "COM2", "/dev/ttyUSB0");
    ASSERT_TRUE(Apply({}));
    EXPECT_EQ(Slots(), QStringList({"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyS2", "/dev/ttyS3"}));
    EXPECT_FALSE(sim);
}

TEST_F(PortOptions, PortAndPortsSetTheSlots) {
    ASSERT_TRUE(Apply({"--port", "/dev/ttyACM0"}));
    EXPECT_EQ(Slots(), QStringList({"/dev/ttyACM0", "", "", ""}));
    ASSERT_TRUE(Apply({"--ports", "/dev/a,/dev/b"}));
    EXPECT_EQ(Slots(), QStringList({"/dev/a", "/dev/b", "", ""}));
}

TEST_F(PortOptions, BadCombinationsAreRefusedWithAReason) {
    const QList<QStringList> bad = {
        {"--ports", "/a,/b,/c,/d,/e"},
        {"--port", "/a", "--ports", "/b"},
        {"--simulate", "--port", "/a"},
        {"--sim-unpaced"},
        {"--simulate=revZ"},
        {"--port", " "},
    };
    for (const QStringList& args : bad) {
        error.clear();
        EXPECT_FALSE(Apply(args)) << args.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(error.contains('\n'));
    }
}

TEST_F(PortOptions, SimulateServesOnSlotZeroOnly) {
    ASSERT_TRUE(Apply({"--simulate"})) << error.toStdString();
    ASSERT_TRUE(sim);
    EXPECT_TRUE(sim->IsRunning());
    EXPECT_EQ(sim->Monitor().Profile().name, "revC");
    EXPECT_EQ(Slots(), QStringList({sim->Path(), "", "", ""}));
}

TEST_F(PortOptions, SimulateNamesItsProfileAndPacing) {
    ASSERT_TRUE(Apply({"--simulate=tr5513", "--sim-unpaced"})) << error.toStdString();
    ASSERT_TRUE(sim);
    EXPECT_EQ(sim->Monitor().Profile().model, "TR-5513 ");
    EXPECT_EQ(PortMap().Path(0), sim->Path());
}
