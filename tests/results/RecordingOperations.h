#pragma once
#include <QByteArray>
#include <QStringList>

#include "results/ResultsOperations.h"

namespace zephrix::test {

// Records which operation each input reached, with its rows' names byte for
// byte (other than ASCII letters, digits and ".-_~" as %XX).
class RecordingOperations : public ResultsOperations {
  public:
    QStringList calls;
    bool answer = true; // renamed, first row deleted, moved by the drop

    void openEntry(QWidget*, const ResultRow& row) override { record("open", {row}); }
    void showProperties(QWidget*, const ResultRow& row) override { record("properties", {row}); }
    bool renameEntry(QWidget*, const ResultRow& row, const std::string& newName) override
    {
        return record("rename", {row}, ">" + bytes(newName));
    }
    std::vector<size_t> deleteEntries(QWidget*, const std::vector<ResultRow>& rows) override
    {
        return record("delete", rows) ? std::vector<size_t>{0} : std::vector<size_t>{};
    }
    bool dragEntries(QWidget*, const std::vector<ResultRow>& rows) override { return record("drag", rows); }

  private:
    static QString bytes(const std::string& name)
    {
        return QString::fromLatin1(QByteArray::fromStdString(name).toPercentEncoding());
    }
    bool record(const QString& operation, const std::vector<ResultRow>& rows, const QString& more = {})
    {
        QStringList names;
        for (const ResultRow& row : rows)
            names << bytes(row.name);
        calls << operation + " " + names.join(',') + more;
        return answer;
    }
};

} // namespace zephrix::test
