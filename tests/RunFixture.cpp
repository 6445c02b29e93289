// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RunFixture.h"

#include "log/LogNames.h"
#include "log/RecordStates.h"
#include "platform/FileOperations.h"
#include "run/PreviewRun.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace quorin::test {

void RunFixture::startAfresh()
{
    // QDir cannot remove a name that is not UTF-8.
    shell("rm -rf '" + src() + "' '" + dir.file("out") + "'");
    dir.makeFolder("src");
    host = FakeHost();
    host.job.SourceFolder = host.job.DestinationFolder = src();
    host.job.FileType = "JPG";
    host.job.NumberStyle = "001";
    host.job.AddText = "p";
    host.job.placement = Placement::Prefix;
}

void RunFixture::sendInto(const QString &folder, bool copy)
{
    QDir().mkpath(folder);
    (copy ? host.job.CopyToDestination : host.job.MoveToDestination) = true;
    host.job.DestinationFolder = folder;
}

void RunFixture::dropOldNames(const QString &numberStyle)
{
    host.job.NumberStyle = numberStyle;
    host.job.DropOldName = true;
    host.job.placement = Placement::None;
}

void RunFixture::replaceInNames(const QString &find, const QString &replace)
{
    host.job.AdvancedEdit = true;
    host.job.Edit.Kind = NameEditKind::Replace;
    host.job.Edit.FindText = find;
    host.job.Edit.ReplaceText = replace;
}

QStringList RunFixture::planned(const QString &logPath) const
{
    QStringList lines;
    for (const PlannedRename &r : readLogRecords(logPath))
        lines << r.OldPath.mid(src().size() + 1) + u' ' + fileName(r.NewPath);
    return lines;
}

::testing::AssertionResult RunFixture::restoresTo(const QString &logPath, const QMap<QString, QByteArray> &before)
{
    const RestoreReport report = restore(logPath);
    if (!report.everyFileRestored())
        return ::testing::AssertionFailure() << "restored " << report.restored << ", failed " << report.failed
                                             << ", ending " << int(report.ending);
    if (snapshot(src()) != before)
        return ::testing::AssertionFailure() << "the source differs: " << names(src()).join(u' ').toStdString();
    return ::testing::AssertionSuccess();
}

// Rows of a preview as the log holds them, with the state the run should give each.
struct Rows final : PreviewSink {
    QList<PlannedRename> planned;
    QList<RecordState> states;
    FileError take(const PreviewRow &row) override
    {
        if (row.NewPath.isEmpty())
            return {};
        planned << PlannedRename{row.OldPath, row.NewPath};
        const bool done = row.reason == RowReason::None || row.reason == RowReason::AlreadyNamed;
        states << (!done ? RecordState::PassedOver : host.job.CopyToDestination ? RecordState::Copied : RecordState::Renamed);
        return {};
    }
    FakeHost &host;
    explicit Rows(FakeHost &h) : host(h) {}
};

Counts RunFixture::previewCounts()
{
    Rows rows(host);
    const PreviewReport report = PreviewRun(host, rows);
    return {report.done, report.passedOver, report.leftAlone};
}

void RunFixture::roundTrips(std::initializer_list<RoundTrip> trips)
{
    for (const RoundTrip &trip : trips) {
        SCOPED_TRACE(trip.what);
        makeFiles(trip.files);
        if (trip.setUp)
            trip.setUp();
        const auto before = snapshot(src());
        const QString destination = host.job.DestinationFolder;
        // The preview meets the same changes of settings midway as the run.
        const RenameJob job = host.job;
        Rows preview(host);
        const PreviewReport previewed = PreviewRun(host, preview);
        host.job = job;
        host.progressKind = nullptr;
        const RunReport report = run();
        EXPECT_EQ(report.ending, RunReport::Ending::Completed);
        EXPECT_EQ(counts(report), trip.counts);
        EXPECT_EQ(Counts(previewed.done, previewed.passedOver, previewed.leftAlone), trip.counts);
        if (!trip.destinationAfter.isEmpty()) {
            EXPECT_EQ(names(destination), trip.destinationAfter);
        }
        // The preview shows the log's records in the log's order, each with the
        // outcome the run gave it. Each file the run renamed holds its bytes under
        // its new name; every other file keeps its name.
        const QList<PlannedRename> records = readLogRecords(report.logPath);
        EXPECT_EQ(records, preview.planned);
        RecordStates states;
        states.open(report.logPath);
        const auto after = snapshot(src());
        QStringList logged;
        for (qsizetype i = 0; i < records.size(); ++i) {
            const QString old = records[i].OldPath.mid(src().size() + 1);
            logged << old;
            const std::optional<RecordState> state = states.state(i);
            EXPECT_EQ(state, preview.states.value(i, RecordState::Pending)) << old.toStdString();
            if (state == RecordState::Renamed || state == RecordState::Copied) {
                EXPECT_EQ(QCryptographicHash::hash(readAll(records[i].NewPath), QCryptographicHash::Sha256),
                          before[old]);
            }
        }
        EXPECT_EQ(logged.size(), report.done + report.passedOver);
        for (const QString &name : before.keys()) {
            if (!logged.contains(name) || states.state(logged.indexOf(name)) != RecordState::Renamed) {
                EXPECT_EQ(after.value(name), before[name]) << name.toStdString() << " is not under its name";
            }
        }
        states.close();
        if (report.leftAlone > 0) {
            EXPECT_TRUE(host.lastBox()->prompt.endsWith(QStringLiteral(
                "\n\n有 %1 个文件的名称含有无法记录或不能用于文件名的字符，没有更改。").arg(report.leftAlone)));
        }
        const QString log = trip.moveLog ? trip.moveLog(report.logPath) : report.logPath;
        const auto destinationAfter = snapshot(destination);
        EXPECT_TRUE(restoresTo(log, before)) << host.lastBox()->prompt.toStdString();
        EXPECT_FALSE(exists(folderOf(log)));
        if (host.job.CopyToDestination) {
            EXPECT_EQ(snapshot(destination), destinationAfter) << "a restore leaves copies as they are";
            EXPECT_TRUE(lastBoxIs("恢复", MessageIcon::Information,
                                  "这些文件是复制生成的，原文件从未改名，无需恢复；复制的文件保持不变。"));
        }
        startAfresh();
    }
}

void RunFixture::asKilledAfter(const QString &logPath, qsizetype carriedOut) const
{
    const QList<PlannedRename> records = readLogRecords(logPath);
    QFile file(statesPathFor(logPath));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray states = file.readAll();
    const qsizetype header = states.size() - records.size();
    for (qsizetype i = records.size() - 1; i >= carriedOut; --i) {
        if (states[header + i] == 'r' && records[i].NewPath != records[i].OldPath) {
            EXPECT_FALSE(moveFile(records[i].NewPath, records[i].OldPath).failed());
        }
        if (states[header + i] == 'c') {
            EXPECT_TRUE(QFile::remove(records[i].NewPath));
        }
        states[header + i] = 'p';
    }
    file.seek(0);
    file.write(states);
}

::testing::AssertionResult RunFixture::lastBoxIs(const QString &title, MessageIcon icon, const QString &prompt,
                                                 MessageButtons buttons) const
{
    const MessageBox *box = host.lastBox();
    if (!box)
        return ::testing::AssertionFailure() << "no box was shown";
    if (box->title != title || box->icon != icon || box->prompt != prompt || box->buttons != buttons)
        return ::testing::AssertionFailure() << "box \"" << box->title.toStdString() << "\", icon " << int(box->icon)
                                             << ", buttons " << int(box->buttons) << ": " << box->prompt.toStdString();
    return ::testing::AssertionSuccess();
}

} // namespace quorin::test
