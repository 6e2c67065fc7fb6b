#pragma once
#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QTest>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/ModuleState.h"
#include "core/DateText.h"
#include "results/ResultsList.h"
#include "support/TempTree.h"
#include "ui/frmSearch.h"

// The main window on its own settings and drives, worked as a user works it.
namespace zephrix::test {

// Counts the times a window is shown, and does `act` each time.
class ShowWatch : public QObject {
  public:
    explicit ShowWatch(QWidget* watched, std::function<void()> act = {}) : act_(std::move(act))
    {
        watched->installEventFilter(this); // removed by Qt when this goes
    }
    int shown = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show && ++shown && act_)
            act_();
        return false;
    }

  private:
    std::function<void()> act_;
};

class MainWindowHarness {
  public:
    TempTree config, drives, data;

    MainWindowHarness()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config.path()));
    }

    frmSearch& load(std::vector<Drive> catalogue)
    {
        DriveList() = std::move(catalogue);
        frmSearch::unload();
        frmSearch& window = frmSearch::instance();
        window.show();
        return window;
    }

    // A drive root (ending in '/') holding files of the given sizes.
    std::string root(const std::string& name,
                     const std::vector<std::pair<std::string, int>>& files = {}) const
    {
        drives.dir(name);
        for (const auto& [path, size] : files)
            drives.sizedFile(name + "/" + path, size);
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

    // Clicks the drive's subfolder `name` once read; the rows below the drive.
    static int clickFolder(const char* tree, const QString& name)
    {
        auto* shown = control<QAbstractItemView>(tree);
        QAbstractItemModel* folders = shown->model();
        // The model fills in the background: an index taken earlier may be gone.
        const auto top = [&] { return folders->index(0, 0, shown->rootIndex()); };
        const auto find = [&] {
            return folders->match(folders->index(0, 0, top()), Qt::DisplayRole, name, 1, Qt::MatchExactly);
        };
        if (!QTest::qWaitFor([&] { return !find().isEmpty(); }, 5000))
            qFatal("no folder %s in %s", qPrintable(name), tree);
        clickRow(shown, find().first());
        return folders->rowCount(top());
    }

    static void pressEnter(const char* name) { QTest::keyClick(control(name), Qt::Key_Return); }

    // Replaces a text box's text the way a user does: select all, erase, type.
    static void type(const char* box, const QString& text)
    {
        control<QLineEdit>(box)->selectAll();
        QTest::keyClick(control(box), Qt::Key_Backspace);
        QTest::keyClicks(control(box), text);
    }

    // Gives the window's searches an indexes folder of their own (before load()).
    std::string useOwnIndexes()
    {
        data.dir("indexes");
        qputenv("ZEPHRIX_DATA_DIR", QByteArray::fromStdString(data.path()));
        return data.at("indexes");
    }

    // Types `name` in the file-name box and presses Enter; false: never ended.
    static bool searchFor(const QString& name)
    {
        type("txtSearchFileName", name);
        pressEnter("txtSearchFileName");
        return QTest::qWaitFor([] { return label("lblSearchTime").startsWith("Results Returned In: "); },
                               20000);
    }
    static QStringList entries(const char* list)
    {
        const QAbstractItemModel* model = control<QAbstractItemView>(list)->model();
        QStringList texts;
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, 0).data().toString();
        return texts;
    }
    static QString label(const char* name) { return control<QLabel>(name)->text(); }
    static QString text(const char* box) { return control<QLineEdit>(box)->text(); }
    static ResultsModel& results() { return frmSearch::instance().resultsList()->results(); }
    // The rows as "path+name|size|created|modified", sorted; 0 shows nothing.
    static std::vector<std::string> rowTexts()
    {
        const auto date = [](int64_t at) {
            return at == NoTime ? std::string() : formatDateText(LocalDateTime::fromLocalSeconds(at));
        };
        std::vector<std::string> texts;
        for (int at = 0; at < results().rowCount(); ++at) {
            const ResultRow& row = results().row(at);
            const uint64_t size = sizeValue(row);
            texts.push_back(row.fullPath() + "|" + (size ? std::to_string(size) : "") + "|" +
                            date(createdValue(row)) + "|" + date(modifiedValue(row)));
        }
        std::sort(texts.begin(), texts.end());
        return texts;
    }

    // A value as the settings file on disk holds it; "<none>" when missing.
    std::string stored(const std::string& section, const std::string& key) const
    {
        const QSettings file(QString::fromStdString(config.path() + "/Zephrix/Zephrix.conf"),
                             QSettings::IniFormat);
        return file.value(QString::fromStdString(section + "/" + key), "<none>").toString().toStdString();
    }
};

} // namespace zephrix::test
