#include "results/EntryFacts.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLocale>
#include <QMimeDatabase>

#include "core/DateText.h"
#include "shell/DefaultApplication.h"

namespace zephrix {
namespace {

QString bytes(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString sizeText(uint64_t size)
{
    const QLocale locale;
    const QString exact = locale.toString(qulonglong(size)) + (size == 1 ? " byte" : " bytes");
    if (size < 1024)
        return exact;
    return locale.formattedDataSize(qint64(size), 1, QLocale::DataSizeTraditionalFormat) + " (" + exact + ")";
}

// Counted up to a limit, so a huge folder cannot hold the dialog up.
QString itemCount(const std::string& path)
{
    constexpr long Limit = 100000;
    DIR* folder = ::opendir(path.c_str());
    if (!folder)
        return QStringLiteral("Contents cannot be read");
    long count = 0;
    while (const dirent* entry = ::readdir(folder)) {
        const char* name = entry->d_name;
        if (!(name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) && ++count > Limit)
            break;
    }
    ::closedir(folder);
    const QLocale locale;
    if (count > Limit)
        return "More than " + locale.toString(qlonglong(Limit)) + " items";
    return locale.toString(qlonglong(count)) + (count == 1 ? " item" : " items");
}

QString typeText(const std::string& path, unsigned mode)
{
    if (S_ISLNK(mode)) {
        std::string target(4096, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        target.resize(length > 0 ? size_t(length) : 0);
        return "Symbolic link to " + bytes(target);
    }
    if (S_ISDIR(mode))
        return QStringLiteral("Folder");
    if (!S_ISREG(mode))
        return QStringLiteral("Special file");
    const QMimeType type =
        QMimeDatabase().mimeTypeForName(QString::fromStdString(mimeTypesOfFile(path).front()));
    return type.comment() + " (" + type.name() + ")";
}

QString ownerText(uid_t uid, gid_t gid)
{
    const passwd* user = ::getpwuid(uid);
    const group* team = ::getgrgid(gid);
    const QString userName = user ? QString::fromUtf8(user->pw_name) : QString::number(uid);
    const QString groupName = team ? QString::fromUtf8(team->gr_name) : QString::number(gid);
    return userName + ", group " + groupName;
}

} // namespace

QString permissionsText(unsigned mode)
{
    QString text(9, QLatin1Char('-'));
    const char letters[] = "rwxrwxrwx";
    for (int bit = 0; bit < 9; ++bit)
        if (mode & (0400u >> bit))
            text[bit] = QLatin1Char(letters[bit]);
    // The special bits share the execute places, as ls shows them.
    const struct {
        unsigned bit;
        int place;
        char withExecute, without;
    } specials[] = {{S_ISUID, 2, 's', 'S'}, {S_ISGID, 5, 's', 'S'}, {S_ISVTX, 8, 't', 'T'}};
    for (const auto& special : specials)
        if (mode & special.bit)
            text[special.place] =
                QLatin1Char(text[special.place] == 'x' ? special.withExecute : special.without);
    return text + QStringLiteral(" (%1)").arg(mode & 07777, 4, 8, QLatin1Char('0'));
}

std::optional<EntryFacts> readEntryFacts(const std::string& path)
{
    struct statx sx {};
    if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0)
        return std::nullopt;
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    const size_t slash = trimmed.find_last_of('/');

    EntryFacts facts;
    facts.name = bytes(slash == std::string::npos ? trimmed : trimmed.substr(slash + 1));
    facts.location = bytes(slash == std::string::npos ? std::string() : trimmed.substr(0, slash + 1));
    facts.type = typeText(trimmed, sx.stx_mode);
    facts.size = S_ISDIR(sx.stx_mode) ? itemCount(trimmed) : sizeText(sx.stx_size);
    // Where the file system keeps no birth time, the last change stands in
    // for it, as everywhere else in the program.
    const bool born = (sx.stx_mask & STATX_BTIME) && sx.stx_btime.tv_sec != 0;
    facts.created =
        QString::fromStdString(formatDateText(std::time_t(born ? sx.stx_btime.tv_sec : sx.stx_mtime.tv_sec)));
    facts.modified = QString::fromStdString(formatDateText(std::time_t(sx.stx_mtime.tv_sec)));
    facts.owner = ownerText(sx.stx_uid, sx.stx_gid);
    facts.permissions = permissionsText(sx.stx_mode);
    return facts;
}

} // namespace zephrix
