#pragma once
#include <QDialog>

class QLabel;

namespace zephrix {

class PictureButton;

// The program's own message box. One dialog for the whole program: a caller
// sets it up with DisplayError, DisplayOk or DisplayOkCancel, shows it (modally
// when it needs the answer) and reads intMessageResponse. It is answered with
// the mouse only; F1 opens the help start page.
class frmMessages : public QDialog {
    Q_OBJECT
  public:
    static frmMessages& instance();

    // 1: OK of a question, 2: the single OK of a notice, 3: Cancel. Callers
    // that ask set it to 0 first.
    qint16 intMessageResponse = 0;

    void DisplayError(const QString& Message);
    void DisplayOk(const QString& Message);
    void DisplayOkCancel(const QString& Message);

    // A question: the protocol every asking caller follows. Returns true only
    // for OK.
    static bool askOkCancel(const QString& message);
    // A notice shown without waiting.
    static void notifyError(const QString& message);
    static void notifyOk(const QString& message);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    enum class Mode { Error, Ok, OkCancel };

    frmMessages();
    void setUpNotice(Mode mode, const QString& message);
    void answer(qint16 response);

    Mode mode_ = Mode::Error;
    QLabel* lblMessage;
    PictureButton* cmd1;
    PictureButton* cmd2;
    PictureButton* cmd3;
};

} // namespace zephrix
