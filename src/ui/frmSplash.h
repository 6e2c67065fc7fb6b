#pragma once
#include <QWidget>

class QLabel;
class QTimer;

namespace zephrix {

// The start-up window. One second after it loads, its timer runs the start-up
// steps once, brings up the main window and unloads the splash.
class frmSplash : public QWidget {
    Q_OBJECT
  public:
    frmSplash();

    void tmrInitializeApp_Timer();

  signals:
    // The start-up steps have run (or stopped at a failure).
    void startupFinished();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QLabel* lblStatus;
    QTimer* tmrInitializeApp;
};

} // namespace zephrix
