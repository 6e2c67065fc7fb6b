#pragma once
#include <QWidget>

#include "app/UpdateCheck.h"

class QLabel;
class QPlainTextEdit;

namespace zephrix {

class PictureButton;

// The new release notice: the release notes of the newer version as plain
// text. Created by the update check, unloaded when closed.
class frmNewRelease : public QWidget {
    Q_OBJECT
  public:
    frmNewRelease();

    // The notice on screen, if any.
    static frmNewRelease* current();
    // Brings a notice on screen to the front (once the main window is up).
    static void bringToFront();

    void cmd1_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPlainTextEdit* txtNewVersion;
    PictureButton* cmd1;

    friend class StartupUpdateNotice;
};

// The update check's windows at start-up: the splash's status line, the
// message dialog (waited on) and the new release notice.
class StartupUpdateNotice final : public UpdateCheckView {
  public:
    explicit StartupUpdateNotice(QLabel* status) : status_(status) {}

    void showStatus(const QString& text) override;
    void tellNewVersion(const QString& message) override;
    void showReleaseNotes(const std::optional<QByteArray>& notes) override;

  private:
    QLabel* status_;
};

} // namespace zephrix
