// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QUrl;

namespace Ui {
class frmAbout;
}

namespace quorin {

// The About box: built afresh for each showing. A click on its background, its
// icon, its version or its title closes it; its two links open on a left press.
class frmAbout final : public QDialog {
    Q_OBJECT

public:
    frmAbout(std::function<void(const QUrl &url)> openUrl, QWidget *parent);
    ~frmAbout() override;
    Q_DISABLE_COPY_MOVE(frmAbout)

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void Form_Click();
    void lblemail_MouseDown();
    void lblnet_MouseDown();
    void Form_MouseMove();
    bool closesOnClick(const QObject *control) const;

    std::unique_ptr<Ui::frmAbout> ui;
    std::function<void(const QUrl &url)> openUrl_;
};

} // namespace quorin
