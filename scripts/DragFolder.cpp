// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// A stand-in for a file manager's pane, for the screenshots: it shows one
// folder, and a press on it drags that folder as a file manager does.
//   drag-folder FOLDER
#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QFileIconProvider>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QVBoxLayout>

class FolderPane final : public QWidget {
public:
    explicit FolderPane(const QString &folder) : folder_(folder)
    {
        setWindowTitle(QDir(folder).dirName() + QStringLiteral(" — 文件"));
        auto *layout = new QVBoxLayout(this);
        auto *icon = new QLabel;
        icon->setPixmap(QFileIconProvider().icon(QFileIconProvider::Folder).pixmap(48, 48));
        icon->setAlignment(Qt::AlignCenter);
        layout->addWidget(icon);
        layout->addWidget(new QLabel(QDir(folder).dirName()), 0, Qt::AlignCenter);
        resize(160, 120);
    }

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        auto *data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(folder_)});
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        drag->setPixmap(QFileIconProvider().icon(QFileIconProvider::Folder).pixmap(32, 32));
        drag->exec(Qt::CopyAction | Qt::LinkAction);
    }

private:
    QString folder_;
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FolderPane pane(app.arguments().value(1));
    pane.move(20, 20);
    pane.show();
    return app.exec();
}
