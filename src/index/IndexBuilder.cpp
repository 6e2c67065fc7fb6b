#include "index/IndexBuilder.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "core/DateText.h"
#include "core/DecimalText.h"
#include "core/EngineError.h"
#include "core/ErrorCodes.h"
#include "core/FileDescriptor.h"
#include "core/LongPath.h"
#include "index/DirectoryReader.h"
#include "index/FileTimes.h"
#include "index/IndexFormat.h"
#include "index/IndexingView.h"
#include "index/LocalTimeCache.h"
#include "index/ReplacementFile.h"
#include "index/WalkState.h"

namespace zephrix {
namespace {

constexpr uint64_t RefreshEveryFiles = 100;

enum class Outcome { Done, Cancelled, Failed };

class Build {
  public:
    Build(IndexContext& ctx, const std::string& root) : ctx_(ctx), root_(root) {}

    Outcome run(ReplacementFile& entries, ReplacementFile& folders)
    {
        entries_ = &entries;
        folders_ = &folders;

        std::string head;
        IndexFormat::appendStampLine(head, nowLocal());
        const size_t stampLength = head.size();
        IndexFormat::appendFolderLine(head, root_);
        if (!entries.append(std::string_view(head).substr(0, stampLength)) || !folders.append(head))
            return fail(entries.error() ? entries.error() : folders.error(), entries.temporaryPath());

        FileDescriptor rootFd = openAnyLength(AT_FDCWD, root_, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (!rootFd.isOpen())
            return fail(errno, root_);
        if (!mountOf(rootFd.get(), rootMount_))
            return fail(errno, root_);
        if (const int err = reader_.read(rootFd.get()))
            return fail(err, root_);
        rootFd_ = rootFd.get();

        listSubfolders(rootFd.get(), 0);
        if (failed_)
            return Outcome::Failed;
        if (ctx_.CancelIndexing)
            return Outcome::Cancelled;
        writeFiles(rootFd.get(), 0);
        if (failed_)
            return Outcome::Failed;

        // The queue's ids are 32-bit: four thousand million folders would
        // not fit in memory anyway.
        for (size_t current = 1; current < queue_.count(); ++current) {
            if (ctx_.CancelIndexing)
                return Outcome::Cancelled;
            walkFolder(current);
            if (failed_)
                return Outcome::Failed;
        }
        if (!entries.close())
            return fail(entries.error(), entries.temporaryPath());
        if (!folders.close())
            return fail(folders.error(), folders.temporaryPath());
        return Outcome::Done;
    }

    const EngineError& error() const { return error_; }
    // What the walk could not read, for the caller's result.
    void takeUnreadable(IndexBuildResult& result)
    {
        result.unreadableFolders = unreadableCount_;
        result.firstUnreadableFolders = std::move(unreadable_);
    }

  private:
    Outcome fail(int err, const std::string& context)
    {
        error_ = EngineError::fromErrno(err, context);
        failed_ = true;
        return Outcome::Failed;
    }

    // A folder that cannot be opened or read (no permission, gone meanwhile,
    // another mount) keeps its line and simply has no entries: losing the rest
    // of the drive over it would be worse. Those that were there but could not
    // be read are counted, so the caller can say what the index lacks.
    void walkFolder(size_t k)
    {
        queue_.relativePath(k, folderPath_);
        const FileDescriptor dirFd = openFolder(folderPath_);
        if (!dirFd.isOpen()) {
            // Gone, or made a link or a mount point since it was listed.
            if (errno != ENOENT && errno != ENOTDIR && errno != ELOOP && errno != EXDEV)
                noteUnreadable(k);
            return;
        }
        if (reader_.read(dirFd.get()) != 0)
            noteUnreadable(k);
        listSubfolders(dirFd.get(), k);
        if (!failed_)
            writeFiles(dirFd.get(), k);
    }

    void noteUnreadable(size_t k)
    {
        if (lastUnreadable_ == k)
            return;
        lastUnreadable_ = k;
        ++unreadableCount_;
        if (unreadable_.size() < IndexBuildResult::UnreadableFoldersKept)
            unreadable_.push_back(folderPath_.empty() ? root_ : root_ + folderPath_ + "/");
    }

    // Opens a folder below the root without crossing into another mount or
    // through a link: openat2 where the kernel has it (5.6 and later), else
    // openat and a look at the mount of what was opened. A folder deeper
    // than the kernel takes in one path is opened a piece at a time.
    FileDescriptor openFolder(const std::string& relative)
    {
        if (haveOpenat2_) {
            FileDescriptor fd = openInPieces(rootFd_, relative, [](int at, const char* piece, bool last) {
                struct open_how how {};
                how.flags = (last ? O_RDONLY : O_PATH) | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
                how.resolve = RESOLVE_NO_XDEV | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS | RESOLVE_BENEATH;
                return static_cast<int>(::syscall(SYS_openat2, at, piece, &how, sizeof how));
            });
            // Old kernels say ENOSYS; some container filters say EPERM.
            if (fd.isOpen() || (errno != ENOSYS && errno != EPERM))
                return fd;
            haveOpenat2_ = false;
        }
        FileDescriptor fd = openInPieces(rootFd_, relative, [](int at, const char* piece, bool last) {
            return ::openat(at, piece, (last ? O_RDONLY : O_PATH) | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        });
        MountIdentity mount;
        if (!fd.isOpen() || !mountOf(fd.get(), mount))
            return FileDescriptor();
        if (!mount.sameMount(rootMount_)) {
            errno = EXDEV;
            return FileDescriptor();
        }
        return fd;
    }

    // Only file systems without d_type leave the type open; one statx then
    // tells, and the answer is kept in the listing for the files pass.
    static bool isFolder(int dirFd, DirectoryReader::Entry& entry)
    {
        if (entry.type == DT_UNKNOWN) {
            struct statx details {};
            if (::statx(dirFd, entry.name.data(), FileDetailsFlags, STATX_TYPE, &details) != 0)
                return false;
            entry.type = S_ISDIR(details.stx_mode) ? DT_DIR : DT_REG;
            *entry.typeSlot = entry.type;
        }
        return entry.type == DT_DIR;
    }

    void listSubfolders(int dirFd, size_t k)
    {
        reader_.forEach([&](DirectoryReader::Entry entry) {
            if (failed_ || !isFolder(dirFd, entry))
                return;
            if (queue_.count() >= UINT32_MAX) {
                fail(EOVERFLOW, root_ + folderPath_);
                return;
            }
            queue_.add(k, entry.name);
            // root + the folder's path + '/' + name + '/', escaped, line end.
            const size_t longest =
                IndexFormat::maxEscapedLength(root_.size() + folderPath_.size() + entry.name.size()) + 2 +
                IndexFormat::LineEnd.size();
            char* out = folders_->reserve(longest);
            if (!out) {
                fail(folders_->error(), folders_->temporaryPath());
                return;
            }
            out = IndexFormat::writeEscaped(out, root_);
            if (!folderPath_.empty()) {
                out = IndexFormat::writeEscaped(out, folderPath_);
                *out++ = '/';
            }
            out = IndexFormat::writeEscaped(out, entry.name);
            *out++ = '/';
            folders_->written(IndexFormat::writeLineEnd(out));
            // The root's subfolders are always shown; deeper ones only while
            // the file count sits on a refresh boundary, to keep labels cheap.
            if (ctx_.indexingView && (k == 0 || fileCount_ % RefreshEveryFiles == 0)) {
                statusText_.assign(root_);
                if (!folderPath_.empty()) {
                    statusText_.append(folderPath_);
                    statusText_.push_back('/');
                }
                statusText_.append(entry.name);
                statusText_.push_back('/');
                ctx_.indexingView->setIndexingStatus(statusText_);
            }
        });
    }

    void writeFiles(int dirFd, size_t k)
    {
        reader_.forEach([&](DirectoryReader::Entry entry) {
            if (failed_ || entry.type == DT_DIR)
                return;
            // d_name is NUL-terminated in the listing, so it serves as a C string.
            struct statx details; // filled by the call; clearing 256 bytes per file shows
            if (::statx(dirFd, entry.name.data(), FileDetailsFlags, FileDetailsMask, &details) != 0) {
                if (errno != ENOENT && errno != ENOTDIR) // not gone since the listing: unreadable
                    noteUnreadable(k);
                return;
            }
            if (S_ISDIR(details.stx_mode))
                return; // became a folder after the listing; not a file
            char* out = entries_->reserve(IndexFormat::maxEntryLineLength(entry.name.size()));
            if (!out) {
                fail(entries_->error(), entries_->temporaryPath());
                return;
            }
            entries_->written(IndexFormat::writeEntryLine(out, entry.name, k, details.stx_size,
                                                          times_.convert(creationSeconds(details)),
                                                          times_.convert(modificationSeconds(details))));
            if (++fileCount_ % RefreshEveryFiles == 0)
                refreshCounters();
        });
    }

    void refreshCounters()
    {
        if (IndexingView* view = ctx_.indexingView) {
            counterText_.assign("Files Found: ");
            appendDecimal(counterText_, fileCount_);
            view->setIndexingFilesFound(counterText_);
            counterText_.assign("Directories Found: ");
            appendDecimal(counterText_, queue_.count());
            view->setIndexingDirectoriesFound(counterText_);
        }
        ctx_.yield();
    }

    IndexContext& ctx_;
    const std::string& root_;
    ReplacementFile* entries_ = nullptr;
    ReplacementFile* folders_ = nullptr;
    int rootFd_ = -1;
    bool haveOpenat2_ = true;
    MountIdentity rootMount_;
    FolderQueue queue_;
    DirectoryReader reader_;
    LocalTimeCache times_;
    uint64_t fileCount_ = 0;
    std::string folderPath_; // the folder being walked, relative to the root
    std::string statusText_;
    std::string counterText_;
    EngineError error_;
    bool failed_ = false;
    uint64_t unreadableCount_ = 0;
    size_t lastUnreadable_ = SIZE_MAX;
    std::vector<std::string> unreadable_;
};

void reportFailure(IndexContext& ctx, const EngineError& error, const std::string& root)
{
    if (ctx.errors)
        ctx.errors->reportError(Locations::IndexDrive, error.number, error.description + " - " + root);
}

// The walk and both renames, all under the pair's lock; the lock is released
// when this returns.
BuildOutcome buildUnderLock(IndexContext& ctx, const std::string& root, IndexMode mode, LockWait wait,
                            IndexBuildResult& result)
{
    // The walk and the folder texts both build on the root, so it must be an
    // absolute folder path ending in '/'.
    const auto paths = IndexFormat::pairPaths(ctx.indexesDir, root, mode);
    if (!paths || root.empty() || root.front() != '/' || root.back() != '/') {
        reportFailure(ctx, {ErrorNumbers::InvalidArgument, "Invalid argument: not an absolute folder path"},
                      root);
        return BuildOutcome::Failed;
    }

    PairLock lock;
    switch (lock.acquire(paths->lock, PairLock::Kind::Exclusive, wait, ctx.yield,
                         [&ctx] { return ctx.CancelIndexing; })) {
    case PairLock::Result::Held:
        break;
    case PairLock::Result::Busy:
        return BuildOutcome::Skipped;
    case PairLock::Result::Stopped:
        return BuildOutcome::NotStarted;
    case PairLock::Result::Failed:
        reportFailure(ctx, EngineError::fromErrno(lock.error(), paths->lock), root);
        return BuildOutcome::Failed;
    }
    // With the lock held no other build of this pair runs, so any temporary
    // of it is what a killed build left behind.
    ReplacementFile::removeTemporariesOf(paths->entries);
    ReplacementFile::removeTemporariesOf(paths->folders);

    ReplacementFile entries;
    ReplacementFile folders;
    Build build(ctx, root);
    Outcome outcome = Outcome::Failed;
    EngineError error;
    if (!entries.open(paths->entries))
        error = EngineError::fromErrno(entries.error(), paths->entries);
    else if (!folders.open(paths->folders))
        error = EngineError::fromErrno(folders.error(), paths->folders);
    else {
        outcome = build.run(entries, folders);
        error = build.error();
    }
    build.takeUnreadable(result);

    if (outcome == Outcome::Done) {
        // The folders file goes first: a reader that sees the new entries file
        // (and its fresh stamp) then finds the folders it numbers.
        if (!folders.commit()) {
            error = EngineError::fromErrno(folders.error(), paths->folders);
            outcome = Outcome::Failed;
        } else if (!entries.commit()) {
            error = EngineError::fromErrno(entries.error(), paths->entries);
            outcome = Outcome::Failed;
            // The new folders file no longer matches the old entries file,
            // whose folder numbers would name the wrong folders: no pair at
            // all is the honest state, and the next search rebuilds it.
            ::unlink(paths->entries.c_str());
            ::unlink(paths->folders.c_str());
        }
    }
    if (outcome != Outcome::Done) {
        entries.discard();
        folders.discard();
    }
    switch (outcome) {
    case Outcome::Done:
        return BuildOutcome::Built;
    case Outcome::Cancelled:
        // The caller must find no index for this root, not a stale one.
        ::unlink(paths->entries.c_str());
        ::unlink(paths->folders.c_str());
        return BuildOutcome::Cancelled;
    case Outcome::Failed:
        break;
    }
    reportFailure(ctx, error, root);
    return BuildOutcome::Failed;
}

} // namespace

IndexBuildResult IndexDrive(IndexContext& ctx, const std::string& root, IndexMode mode, IndexingWindow window,
                            LockWait wait)
{
    IndexBuildResult result;
    if (ctx.CancelIndexing) {
        result.outcome = BuildOutcome::NotStarted;
        return result;
    }

    IndexingView* view = ctx.indexingView;
    if (view && window == IndexingWindow::Show)
        view->showIndexing();
    if (view)
        view->setIndexingPath("Indexing: " + root);
    result.outcome = buildUnderLock(ctx, root, mode, wait, result);
    if (view)
        view->hideIndexing();
    return result;
}

} // namespace zephrix
