// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "frmAbout.h"

#include "TextColour.h"
#include "ui_frmAbout.h"

#include <QIcon>
#include <QMouseEvent>
#include <QScreen>
#include <QUrl>

namespace quorin {
namespace {

bool isLeftClick(const QEvent *event, const QWidget &on)
{
    const auto *mouse = static_cast<const QMouseEvent *>(event);
    return mouse->button() == Qt::LeftButton && on.rect().contains(mouse->position().toPoint());
}

} // namespace

frmAbout::frmAbout(std::function<void(const QUrl &url)> openUrl, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmAbout>()), openUrl_(std::move(openUrl))
{
    ui->setupUi(this);
    // The same drawing as the window icon and the desktop's menu entry.
    ui->Image1->setPixmap(QIcon(QStringLiteral(":/quorin.svg")).pixmap(ui->Image1->size()));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    ui->lblemail->setText(QStringLiteral(QUORIN_AUTHOR_EMAIL));
    // The link shows the home page's host, as addresses were written by hand.
    ui->lblnet->setText(QUrl(QStringLiteral(QUORIN_HOMEPAGE)).host());
    // A label passes the pointer on to the box under it; here none does, so a
    // click on a label that does not close the box reaches nothing.
    for (QLabel *label : findChildren<QLabel *>()) {
        label->setAttribute(Qt::WA_NoMousePropagation);
        label->installEventFilter(this);
    }
    move(screen()->availableGeometry().center() - rect().center());
}

frmAbout::~frmAbout() = default;

bool frmAbout::closesOnClick(const QObject *control) const
{
    return control == ui->Image1 || control == ui->Label3 || control == ui->lblcap_0 || control == ui->lblcap_1;
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    const bool link = watched == ui->lblemail || watched == ui->lblnet;
    const bool leftPress = event->type() == QEvent::MouseButtonPress
                           && static_cast<const QMouseEvent *>(event)->button() == Qt::LeftButton;
    if (leftPress) {
        if (watched == ui->lblemail)
            lblemail_MouseDown();
        else if (watched == ui->lblnet)
            lblnet_MouseDown();
    } else if (event->type() == QEvent::MouseButtonRelease && closesOnClick(watched)
               && isLeftClick(event, *static_cast<QWidget *>(watched))) {
        Form_Click();
    } else if (event->type() == QEvent::MouseMove && link) {
        setTextColour(*static_cast<QLabel *>(watched), QColor(255, 0, 0));
    }
    return false;
}

void frmAbout::mouseReleaseEvent(QMouseEvent *event)
{
    if (isLeftClick(event, *this))
        Form_Click();
}

void frmAbout::mouseMoveEvent(QMouseEvent *) { Form_MouseMove(); }

void frmAbout::Form_Click() { close(); }

void frmAbout::lblemail_MouseDown() { openUrl_(QUrl(QStringLiteral("mailto:") + ui->lblemail->text())); }

void frmAbout::lblnet_MouseDown() { openUrl_(QUrl(QStringLiteral(QUORIN_HOMEPAGE))); }

// Over the box's own background both links turn blue again; over another
// label or the icon they stay as they are.
void frmAbout::Form_MouseMove()
{
    setTextColour(*ui->lblemail, QColor(0, 0, 255));
    setTextColour(*ui->lblnet, QColor(0, 0, 255));
}

} // namespace quorin
