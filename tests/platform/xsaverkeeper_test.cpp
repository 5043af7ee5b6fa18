#include "platform/xsaverkeeper.h"

#include <gtest/gtest.h>

using namespace qelvo;

namespace
{

struct KeeperRow {
    long long idleMs;
    XSaverTimes times;
    bool reset;
    int level; // 0: the monitor's power is left alone
};

class XSaverStepTable : public ::testing::TestWithParam<KeeperRow>
{
};

TEST_P(XSaverStepTable, KeepsTheSaverOffUntilThePowerSettingsTimeComes)
{
    const KeeperRow &row = GetParam();
    const XSaverStep step = xsaverStep(row.idleMs, row.times);
    EXPECT_EQ(step.resetSaver, row.reset);
    EXPECT_EQ(step.dpmsLevel.value_or(0), row.level);
}

constexpr XSaverTimes kPower{600, true, 900, 0, 1800}; // saver 10 min, standby 15, no suspend, off 30

INSTANTIATE_TEST_SUITE_P(
    EveryRow, XSaverStepTable,
    ::testing::Values(KeeperRow{5000, {600}, true, 0}, KeeperRow{5000, {0}, false, 0},
                      KeeperRow{899'999, kPower, true, 0}, KeeperRow{900'000, kPower, false, 1},
                      KeeperRow{1'800'000, kPower, false, 3},
                      // DPMS switched off, or with no times: the saver is kept off for good.
                      KeeperRow{3'600'000, {600, false, 900, 900, 900}, true, 0},
                      KeeperRow{3'600'000, {600, true, 0, 0, 0}, true, 0}));

} // namespace
