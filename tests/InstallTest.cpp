// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

using namespace quorin::test;

namespace {

// `cmake --install` of this build into a fresh prefix, as a packager runs it.
class InstalledPrefix : public testing::Test {
protected:
    void SetUp() override
    {
        int status = 0;
        const QByteArray output = shell(QStringLiteral("'%1' --install '%2' --prefix '%3' 2>&1")
                                            .arg(QStringLiteral(QUORIN_CMAKE), QStringLiteral(QUORIN_BUILD_DIR), prefix_.path()),
                                        &status);
        ASSERT_EQ(status, 0) << output.constData();
    }
    QString installed(const QString &relative) const { return prefix_.file(relative); }
    // Runs a checking tool on an installed file; its whole output, empty when all is well.
    QByteArray check(const QString &tool, const QString &relative, int *status) const
    {
        return shell(QStringLiteral("%1 '%2' 2>&1").arg(tool, installed(relative)), status);
    }

private:
    TempFolder prefix_;
};

} // namespace

TEST_F(InstalledPrefix, programStartsFromThePrefix_andKeepsRunningWithItsWindow)
{
    TempFolder home;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", home.path());
    env.insert("XDG_CONFIG_HOME", home.path());
    program.setProcessEnvironment(env);
    program.start(installed("bin/quorin"), {});
    ASSERT_TRUE(program.waitForStarted());
    EXPECT_TRUE(holdsLock(home.file("quorin.lock"), program.processId()));
    // A missing plugin or library ends the program while its window is built.
    EXPECT_FALSE(program.waitForFinished(1500)) << program.readAllStandardError().constData();
    program.kill();
    program.waitForFinished();
}

TEST_F(InstalledPrefix, helpPageSitsWhereTheProgramLooksForIt)
{
    const QString built = QFileInfo(QStringLiteral(QUORIN_PATH)).dir().filePath("help.htm");
    ASSERT_TRUE(exists(built)) << "the build copies help.htm beside quorin";
    const QString besideProgram = QFileInfo(installed("bin/quorin")).dir().filePath("../share/quorin/help.htm");
    ASSERT_TRUE(exists(besideProgram));
    EXPECT_EQ(readAll(besideProgram), readAll(built));
}

TEST_F(InstalledPrefix, desktopFilesPassTheirValidators_andNameWhatIsInstalled)
{
    int status = 0;
    EXPECT_EQ(check("desktop-file-validate", "share/applications/com.example.quorin.desktop", &status), QByteArray());
    EXPECT_EQ(status, 0);
    const QByteArray validation = check("appstreamcli validate --no-net", "share/metainfo/com.example.quorin.metainfo.xml", &status);
    EXPECT_EQ(status, 0) << validation.constData();
    EXPECT_TRUE(exists(installed("share/icons/hicolor/scalable/apps/quorin.svg")));
    EXPECT_TRUE(exists(installed("bin/quorin-cli")));
}

TEST_F(InstalledPrefix, manualPageFormatsWithoutWarnings)
{
    int status = 0;
    const QByteArray page = shell(QStringLiteral("MANWIDTH=80 man --warnings -l '%1' 2>&1 >/dev/null")
                                      .arg(installed("share/man/man1/quorin-cli.1")),
                                  &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(page, QByteArray());
}

TEST_F(InstalledPrefix, bashCompletionOffersCommandsThenEachCommandsOptions)
{
    const struct {
        const char *line;
        const char *offered;
    } cases[] = {
        {"quorin-cli r", "run restore"},
        {"quorin-cli run --sty", "--style"},
        {"quorin-cli run --style 00", "001 001_"},
        {"quorin-cli restore --", "--yes --help"},
        {"quorin-cli help su", "survey"},
    };
    // Completes the line as bash does on Tab, with the installed completion alone.
    const QString complete = QStringLiteral(
        "source /usr/share/bash-completion/bash_completion; source \"$1\"; COMP_LINE=$2; COMP_POINT=${#COMP_LINE}; "
        "read -ra COMP_WORDS <<< \"$COMP_LINE\"; COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
        "_quorin_cli; echo -n \"${COMPREPLY[*]}\"");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        QProcess bash;
        bash.start(QStringLiteral("bash"), {QStringLiteral("-c"), complete, QStringLiteral("bash"),
                                            installed("share/bash-completion/completions/quorin-cli"),
                                            QLatin1String(c.line)});
        ASSERT_TRUE(bash.waitForFinished());
        EXPECT_EQ(bash.readAllStandardOutput(), QByteArray(c.offered)) << bash.readAllStandardError().constData();
    }
}
