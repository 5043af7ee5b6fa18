#include "startup/dispatch.h"

#include <gtest/gtest.h>

using namespace qelvo;

struct DispatchRow {
    const char *commandLine;
    StartAction expected;
    const char *hostWindow = ""; // XSCREENSAVER_WINDOW
};

void PrintTo(const DispatchRow &row, std::ostream *os)
{
    static const char *const names[] = {"SlideShow", "Settings", "Exit", "HostedShow"};
    *os << '"' << row.commandLine << "\" window \"" << row.hostWindow << "\" -> "
        << names[static_cast<int>(row.expected)];
}

class DispatchTable : public ::testing::TestWithParam<DispatchRow>
{
};

TEST_P(DispatchTable, MapsCommandLineToAction)
{
    EXPECT_EQ(dispatch(QString::fromUtf8(GetParam().commandLine), QString::fromUtf8(GetParam().hostWindow)),
              GetParam().expected)
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
                      DispatchRow{"s", StartAction::Exit},
                      // A host's window: its savers' command lines go into it, every other keeps its meaning.
                      DispatchRow{"", StartAction::HostedShow, "4194305"},
                      DispatchRow{"-root", StartAction::HostedShow, "0x60000f"},
                      DispatchRow{"--root", StartAction::HostedShow, " 0X1A "},
                      DispatchRow{"/s", StartAction::SlideShow, "0x60000f"},
                      DispatchRow{"/c", StartAction::Settings, "0x60000f"},
                      DispatchRow{"/p 123", StartAction::Exit, "0x60000f"},
                      DispatchRow{"-root -x", StartAction::Exit, "0x60000f"},
                      DispatchRow{"--root", StartAction::Exit, ""}, DispatchRow{"", StartAction::Exit, "0"},
                      DispatchRow{"", StartAction::Exit, "-5"}, DispatchRow{"", StartAction::Exit, "0x"},
                      DispatchRow{"", StartAction::Exit, "12 34"},
                      DispatchRow{"", StartAction::Exit, "0x2000_0000"},
                      DispatchRow{"", StartAction::Exit, "0x20000000"},
                      DispatchRow{"", StartAction::Exit, "+12"}),
    [](const ::testing::TestParamInfo<DispatchRow> &info) { return "row" + std::to_string(info.index); });

TEST(JoinCommandLine, JoinsArgumentsWithSingleBlanksAndKeepsTheirOwn)
{
    EXPECT_EQ(joinCommandLine({}), QString());
    EXPECT_EQ(joinCommandLine({"/p", "123"}), "/p 123");
    EXPECT_EQ(joinCommandLine({"/s "}), "/s ");
    EXPECT_EQ(dispatch(joinCommandLine({"/s", ""})), StartAction::Exit);
}
