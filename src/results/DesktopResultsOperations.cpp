#include "results/DesktopResultsOperations.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QLocale>
#include <cstring>

#include "app/HandlerFailure.h"
#include "app/OptionValues.h"
#include "results/DragRows.h"
#include "results/EntryRemoval.h"
#include "results/EntryRename.h"
#include "results/OperationTexts.h"
#include "shell/DefaultApplication.h"
#include "shell/DesktopOpen.h"
#include "ui/frmMessages.h"
#include "ui/frmProperties.h"

namespace zephrix {
namespace {

// Where an unexpected failure of Open is reported from.
constexpr int OpenLocation = 6041;

// The entry itself: a folder row's path without the closing '/'.
std::string entryPath(const ResultRow& row)
{
    return row.path + row.name;
}

// A row whose path is not a folder path (the move marker, say) names
// nothing on disk: it must never be resolved against the working folder.
bool namesAnEntry(const ResultRow& row)
{
    return row.path.size() > 0 && row.path.front() == '/' && row.path.back() == '/' &&
           checkNewName(row.name) == NameProblem::None;
}

QString shown(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

void tellGone(const ResultRow& row)
{
    frmMessages::notifyError(QString::fromLatin1(texts::EntryGone).arg(shown(entryPath(row))));
}

void tellOpenResult(OpenResult result)
{
    if (result == OpenResult::NoApplication)
        frmMessages::notifyError(QString::fromLatin1(texts::NoApplication));
    else if (result == OpenResult::LaunchFailed)
        frmMessages::notifyError(QString::fromLatin1(texts::CannotOpen));
}

const char* nameProblemText(NameProblem problem)
{
    switch (problem) {
    case NameProblem::HasSlash:
        return texts::NameWithSlash;
    case NameProblem::HasNul:
        return texts::NameWithNul;
    case NameProblem::Reserved:
        return texts::ReservedName;
    case NameProblem::TooLong:
        return texts::NameTooLong;
    default:
        return nullptr;
    }
}

} // namespace

DesktopResultsOperations::DesktopResultsOperations(std::chrono::milliseconds fileManagerTimeout)
    : fileManagerTimeout_(fileManagerTimeout)
{
}

void DesktopResultsOperations::openEntry(QWidget*, const ResultRow& row)
{
    try {
        const std::string path = entryPath(row);
        // What is there now decides, not what the row said at search time.
        struct stat st {};
        if (!namesAnEntry(row) || ::stat(path.c_str(), &st) != 0) {
            tellGone(row);
            return;
        }
        if (S_ISDIR(st.st_mode))
            tellOpenResult(openFolderWindow(path, fileManagerTimeout_));
        else
            tellOpenResult(openWithDefaultApplication(path, mimeTypesOfFile(path)));
    } catch (...) {
        reportCurrentException(OpenLocation);
    }
}

void DesktopResultsOperations::showProperties(QWidget*, const ResultRow& row)
{
    const std::string path = entryPath(row);
    struct stat st {};
    if (!namesAnEntry(row) || ::lstat(path.c_str(), &st) != 0) {
        tellGone(row);
        return;
    }
    if (FileManagerBus::showItemProperties(path, fileManagerTimeout_) == FileManagerBus::Answer::Done)
        return;
    if (!frmProperties::instance().showEntry(path))
        tellGone(row);
}

bool DesktopResultsOperations::renameEntry(QWidget*, const ResultRow& row, const std::string& newName)
{
    const NameProblem problem = checkNewName(newName);
    if (problem == NameProblem::Empty)
        return false;
    if (const char* text = nameProblemText(problem)) {
        frmMessages::notifyError(QString::fromLatin1(text));
        return false;
    }
    if (!namesAnEntry(row)) {
        tellGone(row);
        return false;
    }
    const RenameOutcome outcome = renameWithoutReplacing(row.path, row.name, newName);
    switch (outcome.result) {
    case RenameResult::Renamed:
        return true;
    case RenameResult::NameTaken:
        frmMessages::notifyOk(QString::fromLatin1(texts::NameExists));
        return false;
    case RenameResult::EntryGone:
        tellGone(row);
        return false;
    default:
        frmMessages::notifyError(
            QString::fromLatin1(texts::RenameFailed)
                .arg(shown(row.name), shown(newName), QString::fromLocal8Bit(std::strerror(outcome.error))));
        return false;
    }
}

std::vector<size_t> DesktopResultsOperations::deleteEntries(QWidget*, const std::vector<ResultRow>& rows)
{
    // A delete yields to the windows; one that is running takes no second.
    if (rows.empty() || deleting_)
        return {};
    if (!frmMessages::askOkCancel(QString::fromLatin1(texts::ConfirmDelete)))
        return {};
    deleting_ = true;
    // Repaints and timers go on while a large delete runs; input waits until
    // it is over, so the rows cannot change under it.
    EntryRemover remover([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    std::vector<size_t> gone;
    gone.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        if (remover.remove(rows[i].path, rows[i].name, rows[i].isFolder))
            gone.push_back(i);
    deleting_ = false;
    const size_t kept = rows.size() - gone.size();
    if (kept == 1)
        frmMessages::notifyError(QString::fromLatin1(texts::OneNotDeleted));
    else if (kept > 1)
        frmMessages::notifyError(
            QString::fromLatin1(texts::SomeNotDeleted).arg(QLocale().toString(qulonglong(kept))));
    return gone;
}

bool DesktopResultsOperations::dragEntries(QWidget* source, const std::vector<ResultRow>& rows)
{
    return dragRows(source, rows, moduleOptions().DragMode);
}

} // namespace zephrix
