// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"

#include <QFileInfo>
#include <QProcess>

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
                                            .arg(QStringLiteral(QUORIN_CMAKE), QStringLiteral(QUORIN_BUILD_DIR), prefix.path()),
                                        &status);
        ASSERT_EQ(status, 0) << output.constData();
    }

    TempFolder prefix;
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
    program.start(prefix.file("bin/quorin"), {});
    ASSERT_TRUE(program.waitForStarted());
    EXPECT_TRUE(holdsLock(home.file("quorin.lock"), program.processId()));
    // A missing plugin or library ends the program while its window is built.
    EXPECT_FALSE(program.waitForFinished(1500)) << program.readAllStandardError().constData();
    program.kill();
    program.waitForFinished();
}

// Each installed file passes its checker, which says nothing when all is well
// (the metadata validator says more); bash completes commands, then each
// command's options, with the installed completion alone.
TEST_F(InstalledPrefix, installedFilesPassTheirCheckers_andBashCompletesWithThem)
{
    prefix.write("complete", "source /usr/share/bash-completion/bash_completion\n"
                             "source \"$(dirname \"$0\")/share/bash-completion/completions/quorin-cli\"\n"
                             "COMP_LINE=$1; COMP_POINT=${#COMP_LINE}; read -ra COMP_WORDS <<< \"$COMP_LINE\"\n"
                             "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _quorin_cli; echo -n \"${COMPREPLY[*]}\"\n");
    const struct {
        const char *command, *said;
    } checks[] = {
        {"desktop-file-validate %1share/applications/com.example.quorin.desktop 2>&1", ""},
        {"appstreamcli validate --no-net %1share/metainfo/com.example.quorin.metainfo.xml 2>&1", nullptr},
        {"MANWIDTH=80 man --warnings -l %1share/man/man1/quorin-cli.1 2>&1 >/dev/null", ""},
        {"MANWIDTH=80 man --warnings -l %1share/man/man1/quorin.1 2>&1 >/dev/null", ""},
        // The build copies help.htm beside quorin; the installed program finds it in ../share/quorin.
        {"cmp %1bin/../share/quorin/help.htm %2/help.htm 2>&1", ""},
        {"test -e %1share/icons/hicolor/scalable/apps/quorin.svg -a -x %1bin/quorin-cli", ""},
        {"bash %1complete 'quorin-cli r'", "run restore"},
        {"bash %1complete 'quorin-cli run --sty'", "--style"},
        {"bash %1complete 'quorin-cli run --style 00'", "001 001_"},
        {"bash %1complete 'quorin-cli restore --'", "--yes --help"},
        {"bash %1complete 'quorin-cli help su'", "survey"},
    };
    for (const auto &c : checks) {
        SCOPED_TRACE(c.command);
        int status = -1;
        const QByteArray said = shell(QString::fromUtf8(c.command)
                                          .replace(QStringLiteral("%1"), prefix.path())
                                          .replace(QStringLiteral("%2"), QFileInfo(QStringLiteral(QUORIN_PATH)).path()),
                                      &status);
        EXPECT_EQ(status, 0) << said.constData();
        if (c.said) {
            EXPECT_EQ(said, QByteArray(c.said));
        }
    }
}
