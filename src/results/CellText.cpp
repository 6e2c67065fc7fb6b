#include "results/CellText.h"

#include <QLocale>

#include "core/DateText.h"
#include "results/ResultsTexts.h"

namespace zephrix {

QString displayText(const std::string& bytes)
{
    QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QChar::ReplacementCharacter;
    }
    return text;
}

QString sizeText(uint64_t size)
{
    if (size == 0)
        return {};
    // Grouped by thousands whatever the locale's own grouping rule, so every
    // size lines up the same way in the right-aligned column.
    const QString digits = QString::number(size);
    const QString separator = QLocale().groupSeparator();
    QString text;
    text.reserve(digits.size() + digits.size() / 3 * separator.size());
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += separator;
        text += digits[i];
    }
    return text;
}

QString dateText(int64_t localSeconds)
{
    if (localSeconds == NoTime)
        return {};
    return QString::fromStdString(formatDateText(LocalDateTime::fromLocalSeconds(localSeconds)));
}

QString cellText(const ResultsEntry& entry, ResultsColumn column)
{
    const ResultRow& row = entry.row;
    switch (column) {
    case ResultsColumn::Name:
        return displayText(row.name);
    case ResultsColumn::Path:
        return entry.moved ? QString::fromLatin1(results::MovedMarker) : displayText(row.path);
    case ResultsColumn::FileType:
        return row.isFolder ? QString() : displayText(row.fileType);
    case ResultsColumn::Size:
        return sizeText(sizeValue(row));
    case ResultsColumn::DateCreated:
        return dateText(createdValue(row));
    case ResultsColumn::DateModified:
        return dateText(modifiedValue(row));
    }
    return {};
}

} // namespace zephrix
