#pragma once
#include <QWidget>

#include "app/ErrorReportRequest.h"

class QLabel;

namespace zephrix {

class HeaderBar;
class PictureButton;

// The error report window: what failed and where, with "Send Report" and
// "Cancel". One window for the process, shown without waiting.
class frmErrors : public QWidget {
    Q_OBJECT
  public:
    static frmErrors& instance();

    // The fields as the last reporting handler set them.
    int ErrorNumber = 0;
    int ErrorLocation = 0;
    QString ErrorDescription;

    // Sets the fields and shows the window (the error presenter).
    void showReport(const ErrorReportFields& fields);

    void cmdSendError_Click();
    void cmdCancel_Click();

  signals:
    // Hidden by either button.
    void dismissed();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    frmErrors();
    void refreshLabels();

    QLabel* Label1;
    QLabel* lblErrorLocation;
    QLabel* lblErrorNumber;
    QLabel* lblErrorDescription;
    PictureButton* cmdSendError;
    PictureButton* cmdCancel;
    bool sending_ = false;
};

} // namespace zephrix

namespace zephrix {

// Routes every ReportError to the error report window.
void installErrorWindow();

} // namespace zephrix
