#include "cli/TerminalProgress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include "cli/TerminalText.h"
#include "core/FileDescriptor.h"

namespace zephrix::cli {
namespace {

// The progress line is only a courtesy: a terminal that fails to take it
// never stops the work.
void writeAll(int fd, const std::string& text)
{
    writeFully(fd, text.data(), text.size());
}

size_t terminalWidth(int fd)
{
    struct winsize size {};
    if (::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 1)
        return size.ws_col;
    return 80;
}

} // namespace

void TerminalProgress::setIndexingPath(const std::string& text)
{
    // A name may hold CR, LF or escape bytes; on a terminal they would move
    // the cursor or start a control sequence.
    path_ = escapeControlBytes(text);
    writeAll(fd_, path_ + "\n");
}

void TerminalProgress::setIndexingStatus(const std::string& text)
{
    status_ = text;
    redraw();
}

void TerminalProgress::setIndexingFilesFound(const std::string& text)
{
    files_ = text;
}

void TerminalProgress::setIndexingDirectoriesFound(const std::string& text)
{
    directories_ = text;
    redraw();
}

void TerminalProgress::hideIndexing()
{
    if (drawn_)
        writeAll(fd_, "\r\033[K");
    drawn_ = false;
}

void TerminalProgress::redraw()
{
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && now - lastDraw_ < std::chrono::milliseconds(100))
        return;
    lastDraw_ = now;
    line_ = escapeControlBytes(files_ + "   " + directories_ + "   " + status_);
    // Cut to the terminal's width in bytes, never inside a UTF-8 sequence.
    const size_t width = terminalWidth(fd_) - 1;
    if (line_.size() > width) {
        size_t cut = width;
        while (cut > 0 && (static_cast<unsigned char>(line_[cut]) & 0xC0) == 0x80)
            --cut;
        line_.resize(cut);
    }
    writeAll(fd_, "\r\033[K" + line_);
    drawn_ = true;
}

std::unique_ptr<TerminalProgress> showProgressOnTerminal(IndexContext& ctx)
{
    if (!::isatty(STDERR_FILENO))
        return nullptr;
    auto progress = std::make_unique<TerminalProgress>(STDERR_FILENO);
    ctx.indexingView = progress.get();
    return progress;
}

} // namespace zephrix::cli
