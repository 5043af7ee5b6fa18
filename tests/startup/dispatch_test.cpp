#include "startup/dispatch.h"

#include <gtest/gtest.h>

using namespace qelvo;

struct DispatchRow {
    const char *commandLine;
    StartAction expected;
};

void PrintTo(const DispatchRow &row, std::ostream *os)
{
    static const char *const names[] = {"SlideShow", "Settings", "Exit"};
    *os << '"' << row.commandLine << "\" -> " << names[static_cast<int>(row.expected)];
}

class DispatchTable : public ::testing::TestWithParam<DispatchRow>
{
};

TEST_P(DispatchTable, MapsCommandLineToAction)
{
    EXPECT_EQ(dispatch(QString::fromUtf8(GetParam().commandLine)), GetParam().expected)
        << "command line: \"" << GetParam().commandLine << '"';
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, DispatchTable,
    ::testing::Values(DispatchRow{"/s", StartAction::SlideShow}, DispatchRow{"/c", StartAction::Settings},
                      DispatchRow{"/C", StartAction::Settings}, DispatchRow{"/c:42", StartAction::Settings},
                      DispatchRow{"/C:1234", StartAction::Settings}, DispatchRow{"/S", StartAction::Settings},
                      DispatchRow{"/Sx", StartAction::Settings}, DispatchRow{"", StartAction::Exit},
                      DispatchRow{"/s ", StartAction::Exit}, DispatchRow{"/s:123", StartAction::Exit},
                      DispatchRow{"/p 123", StartAction::Exit}, DispatchRow{"/a", StartAction::Exit},
                      DispatchRow{" /s", StartAction::Exit}, DispatchRow{"/", StartAction::Exit},
                      DispatchRow{"s", StartAction::Exit}),
    [](const ::testing::TestParamInfo<DispatchRow> &info) { return "row" + std::to_string(info.index); });

TEST(JoinCommandLine, JoinsArgumentsWithSingleBlanksAndKeepsTheirOwn)
{
    EXPECT_EQ(joinCommandLine({}), QString());
    EXPECT_EQ(joinCommandLine({"/p", "123"}), "/p 123");
    EXPECT_EQ(joinCommandLine({"/s "}), "/s ");
    EXPECT_EQ(dispatch(joinCommandLine({"/s", ""})), StartAction::Exit);
}
