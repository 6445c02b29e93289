// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "frmmain.h"

#include "GivenFolder.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

namespace quorin {
namespace {

// One folder on this machine, as a file manager drags it; empty otherwise.
QString draggedFolder(const QMimeData &data)
{
    const QList<QUrl> urls = data.urls();
    return urls.size() == 1 && urls.front().isLocalFile() ? givenFolder(urls.front().toLocalFile()) : QString();
}

} // namespace

void frmmain::openArguments(const QStringList &arguments)
{
    if (const auto refused = argumentsRefusal(arguments))
        showMessage(*refused);
    else if (!arguments.isEmpty())
        surveyFolder(givenFolder(arguments.front()));
}

void frmmain::takeHandedFolder(const QString &folder)
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    if (canOpenFolder())
        surveyFolder(folder);
}

// A survey would rewrite the settings a run, a restore or a preview reads, and
// a folder opened under a dialog would be surveyed behind the user's back.
bool frmmain::canOpenFolder() const { return !operationUnderWay_ && !QApplication::activeModalWidget(); }

// Wherever it points in the window, a dragged folder is surveyed when dropped;
// anything else dragged from a file manager, or anything at all during a long
// operation, is refused by the cursor. Text dragged into a box stays the box's.
// The survey starts once the drop has returned, so the file manager that the
// folder came from is not kept waiting.
bool frmmain::folderDrop(QDropEvent &event)
{
    if (!event.mimeData()->hasUrls())
        return false;
    const QString folder = draggedFolder(*event.mimeData());
    if (folder.isEmpty() || !canOpenFolder()) {
        event.ignore();
        return true;
    }
    event.acceptProposedAction();
    if (event.type() == QEvent::Drop)
        QTimer::singleShot(0, this, [this, folder] {
            if (canOpenFolder())
                surveyFolder(folder);
        });
    return true;
}

} // namespace quorin
