#pragma once
#include <QAbstractItemView>
#include <QListWidget>
#include <QSettings>
#include <QTest>
#include <string>
#include <vector>

#include "app/ModuleState.h"
#include "support/TempTree.h"
#include "ui/frmSearch.h"

// The main window loaded with its own settings file and drive catalogue, and
// the user's ways of working it: finding controls by name, clicking, typing,
// pressing Enter, reading the settings file as text.
namespace zephrix::test {

class MainWindowHarness {
  public:
    TempTree config;
    TempTree drives;

    MainWindowHarness()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config.path()));
    }

    // Loads the window anew over `catalogue`.
    frmSearch& load(std::vector<Drive> catalogue)
    {
        DriveList() = std::move(catalogue);
        frmSearch::unload();
        frmSearch& window = frmSearch::instance();
        window.show();
        return window;
    }

    // A folder of the temporary tree as a drive root, ending in '/'.
    std::string root(const std::string& name) const
    {
        drives.dir(name);
        return drives.at(name) + "/";
    }

    template <class T = QWidget> static T* control(const char* name)
    {
        T* found = frmSearch::instance().findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    static void click(const char* name) { QTest::mouseClick(control(name), Qt::LeftButton); }

    // A click on an entry of a list, as the mouse makes it.
    static void clickRow(QAbstractItemView* list, const QModelIndex& entry)
    {
        list->scrollTo(entry);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
    }
    static void clickEntry(const char* list, const QString& text)
    {
        auto* entries = control<QListWidget>(list);
        const QList<QListWidgetItem*> found = entries->findItems(text, Qt::MatchExactly);
        if (found.isEmpty())
            qFatal("no entry %s in %s", qPrintable(text), list);
        clickRow(entries, entries->indexFromItem(found.first()));
    }

    static void pressEnter(const char* name) { QTest::keyClick(control(name), Qt::Key_Return); }

    // A value as the settings file on disk holds it, read as a plain INI
    // file (not through the program's store); "<none>" when it is not there.
    std::string stored(const std::string& section, const std::string& key) const
    {
        const QSettings file(QString::fromStdString(config.path() + "/Zephrix/Zephrix.conf"),
                             QSettings::IniFormat);
        return file.value(QString::fromStdString(section + "/" + key), "<none>").toString().toStdString();
    }
};

} // namespace zephrix::test
