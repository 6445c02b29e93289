// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// Drives the real main window, once it has been painted, through one operation
// and prints the seconds it took, from the click until the handler returns; or
// only shows the window and ends once it is painted. The benchmark sets these
// beside quorin-cli and a minimal Qt program.
// A preview prints two figures: the seconds until its first rows show, and
// until the whole plan is in its table (the dialog is then closed).
//   quorin-bench-window startup | survey DIR | run DIR | restore LOG | preview DIR
#include "AfterFirstPaint.h"

#include "Startup.h"
#include "frmmain.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

#include <cstdio>

namespace {

// Picks what it was given and answers every box with its default button.
class BenchDialogs final : public quorin::ModalDialogs {
public:
    explicit BenchDialogs(const QString &pick) : pick_(pick) {}
    quorin::MessageAnswer showMessage(QWidget *, const quorin::MessageBox &box) override { return box.defaultButton; }
    QString BrowseForFolder(QWidget *, const QString &) override { return pick_; }
    QString ShowFileDialog(QWidget *, const quorin::FileDialogRequest &) override { return pick_; }

private:
    QString pick_;
};

template <typename T>
T &control(QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return *found;
}

// The settings bench/run.sh gives quorin-cli: type TXT, prefix "p", numbers "1",
// in place. The type is set as a survey would have listed it.
void chooseRun(quorin::frmmain &window, const QString &folder)
{
    control<QLineEdit>(window, "txtSourDir").setText(folder);
    control<QLineEdit>(window, "txtDestDir").setText(folder);
    control<QComboBox>(window, "cboFileType").addItem(QStringLiteral("TXT"));
    control<QComboBox>(window, "cboFileType").setCurrentIndex(0);
    control<QLineEdit>(window, "txtAddString").setText(QStringLiteral("p"));
    control<QRadioButton>(window, "optPrefix").setChecked(true);
    control<QComboBox>(window, "cboSeries").setCurrentIndex(2);
    window.setStartEnabled(true);
}

// Watches the preview dialog from 预览 on: the first rows show with the
// dialog, and the whole plan is in once 开始 can be pressed.
void timePreview(quorin::frmmain &window)
{
    QElapsedTimer clock;
    double firstRows = -1;
    QTimer watch;
    watch.callOnTimeout([&] {
        auto *dialog = window.findChild<QDialog *>(QStringLiteral("frmPreview"));
        if (!dialog || !dialog->isVisible())
            return;
        if (firstRows < 0)
            firstRows = double(clock.nsecsElapsed()) / 1e9;
        if (control<QPushButton>(*dialog, "CmdPlanStart").isEnabled()) {
            std::printf("%.6f %.6f\n", firstRows, double(clock.nsecsElapsed()) / 1e9);
            dialog->reject();
        }
    });
    watch.start(5);
    clock.start();
    window.findChild<QAction *>(QStringLiteral("mnuPreview"))->trigger();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    const QString target = args.value(2);
    if (mode != u"startup" && target.isEmpty()) {
        std::fprintf(stderr, "usage: quorin-bench-window startup | survey DIR | run DIR | restore LOG | preview DIR\n");
        return 2;
    }
    quorin::SingleCopy copy;
    if (!copy.isOnlyCopy())
        return 0;
    quorin::useChineseInterface(app);
    quorin::useProgramFonts();
    BenchDialogs dialogs(target);
    // Quitting closes the window, and closing it ends the program at once.
    quorin::frmmain window({dialogs, [&copy](int status) {
                                copy.release();
                                std::fflush(stdout);
                                std::_Exit(status);
                            },
                            [](const QUrl &) { return true; }});
    const char *button = mode == u"survey" ? "CmdSourDir" : mode == u"run" ? "CmdStart" : "CmdRestore";
    AfterFirstPaint painted([&window, &mode, button] {
        if (mode == u"preview") {
            timePreview(window);
        } else if (mode != u"startup") {
            QElapsedTimer clock;
            clock.start();
            control<QPushButton>(window, button).click();
            std::printf("%.6f\n", double(clock.nsecsElapsed()) / 1e9);
        }
        QCoreApplication::quit();
    });
    window.installEventFilter(&painted);
    window.show();
    if (mode == u"run" || mode == u"preview")
        chooseRun(window, target);
    return app.exec();
}
