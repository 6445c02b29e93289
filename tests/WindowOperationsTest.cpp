// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "WindowFixture.h"

#include "log/RenameLog.h"

#include <QTest>

using namespace quorin;
using namespace quorin::test;

namespace {

struct ButtonStates {
    bool sourDir, start, restore;
    bool operator==(const ButtonStates &) const = default;
};

std::ostream &operator<<(std::ostream &out, const ButtonStates &s)
{
    return out << "{CmdSourDir " << s.sourDir << ", CmdStart " << s.start << ", CmdRestore " << s.restore << "}";
}

enum class Operation { Survey, Run, RefusedRun, StoppedRun, Restore };

struct NestingCase {
    const char *name;
    bool surveyedBefore;
    Operation operation;
    ButtonStates after;
};

void PrintTo(const NestingCase &c, std::ostream *out) { *out << c.name; }

class OneOperationAtATime : public WindowTest, public ::testing::WithParamInterface<NestingCase> {
protected:
    ButtonStates states() const { return {enabled("CmdSourDir"), enabled("CmdStart"), enabled("CmdRestore")}; }

    // A log of one file renamed by hand, y.jpg to x.jpg, as a run would write it.
    QString handMadeLog()
    {
        dir.write("src/x.jpg");
        RenameLog log;
        log.CreateRenameLog(src(), "JPG", QDateTime::currentDateTime());
        log.AppendLogRecord({src() + "/y.jpg", src() + "/x.jpg"});
        log.commit();
        return log.path();
    }

    void start(Operation operation)
    {
        switch (operation) {
        case Operation::Survey: survey(src()); return;
        case Operation::Restore:
            dialogs.files << handMadeLog();
            click("CmdRestore");
            return;
        case Operation::StoppedRun:
            atEveryYield([this] {
                if (!status().startsWith(QStringLiteral("正在重命名第")))
                    return false;
                QTest::keyClick(&window, Qt::Key_Escape);
                return true;
            });
            [[fallthrough]];
        case Operation::Run: chooseSettings("JPG"); [[fallthrough]];
        case Operation::RefusedRun: click("CmdStart"); return;
        }
    }
};

} // namespace

// No survey, run or restore can start while another is under way, whichever
// started first; afterwards each button comes back as the window's state allows.
TEST_P(OneOperationAtATime, leavesNoOperationButtonEnabledWhileUnderWay)
{
    const NestingCase &c = GetParam();
    for (const char *name : {"a.jpg", "b.jpg", "sub/c.jpg"})
        dir.write(QStringLiteral("src/") + QString::fromLatin1(name));
    if (c.surveyedBefore)
        survey(src());
    int yields = 0;
    QList<ButtonStates> whileUnderWay;
    atEveryYield([&] {
        ++yields;
        if (states() != ButtonStates{false, false, false})
            whileUnderWay << states();
        return false;
    });
    start(c.operation);

    if (c.operation != Operation::RefusedRun) {
        EXPECT_GT(yields, 0);
    }
    EXPECT_TRUE(whileUnderWay.isEmpty()) << whileUnderWay.first();
    EXPECT_EQ(states(), c.after);
    EXPECT_TRUE(endings.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Window, OneOperationAtATime,
    ::testing::Values(NestingCase{"survey", false, Operation::Survey, {true, true, true}},
                      NestingCase{"run", true, Operation::Run, {true, true, true}},
                      NestingCase{"refusedRun", true, Operation::RefusedRun, {true, true, true}},
                      NestingCase{"stoppedRun", true, Operation::StoppedRun, {true, true, true}},
                      NestingCase{"restoreBeforeAnySurvey", false, Operation::Restore, {true, false, true}},
                      NestingCase{"restoreAfterASurvey", true, Operation::Restore, {true, true, true}}),
    [](const auto &info) { return std::string(info.param.name); });
