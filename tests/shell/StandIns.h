#pragma once
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "support/TempTree.h"
#include "ui/PictureButton.h"
#include "ui/frmMessages.h"

namespace zephrix::test {

// A program of the test's own that writes the arguments it was started with
// (NUL-separated, written aside and renamed so it is never read half-done).
class RecordingProgram {
  public:
    explicit RecordingProgram(const std::string& name = "recorder") : path_(bin_.at(name))
    {
        bin_.file(name, "#!/bin/sh\nprintf '%s\\0' \"$@\" > '" + record() + ".part' && /bin/mv '" + record() +
                            ".part' '" + record() + "'\n");
        bin_.chmod(name, 0755);
    }
    const std::string& path() const { return path_; }
    std::string folder() const { return bin_.path(); }
    std::string record() const { return bin_.at("arguments"); }

    // The arguments of the last run, once one has happened; empty after the wait.
    std::vector<std::string> arguments(int milliseconds = 10000) const
    {
        std::vector<std::string> arguments;
        if (!QTest::qWaitFor([&] { return ::access(record().c_str(), F_OK) == 0; }, milliseconds))
            return arguments;
        const std::string all = readWholeFile(record());
        for (size_t start = 0; start < all.size();) {
            const size_t end = all.find('\0', start);
            arguments.push_back(all.substr(start, end - start));
            start = end + 1;
        }
        ::unlink(record().c_str());
        return arguments;
    }

  private:
    TempTree bin_;
    std::string path_;
};

// Puts a folder in front of $PATH for the life of the object.
class PathPrefix {
  public:
    explicit PathPrefix(const std::string& folder, bool only = false) : old_(qgetenv("PATH"))
    {
        qputenv("PATH", QByteArray::fromStdString(folder) + (only ? "" : ":" + old_));
    }
    ~PathPrefix() { qputenv("PATH", old_); }

  private:
    QByteArray old_;
};

// Points the XDG folders at a tree of the test's own; `systemData` (such as
// /usr/share, where the MIME database lives) comes last when given.
inline void useOwnXdgFolders(const TempTree& tree, const QByteArray& systemData = {})
{
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(tree.at("config")));
    qputenv("XDG_CONFIG_DIRS", QByteArray::fromStdString(tree.at("etc")));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(tree.at("data")));
    qputenv("XDG_DATA_DIRS",
            QByteArray::fromStdString(tree.at("share")) + (systemData.isEmpty() ? "" : ":" + systemData));
}

// Clicks a message dialog button as soon as it is up (cmd1 OK, cmd3 Cancel, cmd2 the single OK).
inline void answerMessage(const char* button)
{
    QTimer::singleShot(0, [button] {
        if (QTest::qWaitFor([] { return frmMessages::instance().isVisible(); }, 5000))
            QTest::mouseClick(frmMessages::instance().findChild<PictureButton*>(button), Qt::LeftButton);
    });
}

// The message on screen now; empty when the dialog is hidden.
inline QString shownMessage()
{
    frmMessages& dialog = frmMessages::instance();
    return dialog.isVisible() ? dialog.findChild<QLabel*>("lblMessage")->text() : QString();
}

} // namespace zephrix::test
