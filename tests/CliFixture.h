// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "TempFolder.h"

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace quorin::test {

struct Outcome {
    int status = -1;
    QByteArray out, err;

    QString errText() const { return QString::fromUtf8(err); }
};

// quorin-cli itself, started in a temporary folder with its own settings
// folder, on a source folder holding a.jpg, b.jpg and c.txt.
class CliFixture : public ::testing::Test {
protected:
    CliFixture() { dir.writeNamed("src", {"a.jpg", "b.jpg", "c.txt"}); }

    void start(QProcess &process, const QStringList &args) const;
    // Standard input is empty and not a terminal.
    Outcome cli(const QStringList &args) const;
    // On a terminal of its own: everything the terminal shows, and the exit
    // status. `typed` is typed once the terminal has shown `shown`.
    Outcome onTerminal(const QStringList &args, const QByteArray &shown = {}, const QByteArray &typed = {}) const;

    QStringList runArgs(const QStringList &more, const QString &source = "src") const
    {
        return QStringList{"run", "--source", dir.file(source), "--type", "jpg"} + more;
    }
    QString src() const { return dir.file("src"); }
    // The text with every "%1" standing for the temporary folder's path.
    QString withDir(QString text) const { return text.replace(QStringLiteral("%1"), dir.path()); }

    TempFolder dir;
};

// The lines a terminal shows at the end for the bytes written to it: a
// carriage return goes back to the line's start, ESC [ K erases to its end.
QStringList screenLines(const QByteArray &written);

} // namespace quorin::test
