#include "ui/ResultsPage.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>

#include "ui/ElidedLabel.h"
#include "ui/MainWindowLayout.h"
#include "ui/PageControls.h"
#include "ui/PictureButton.h"

namespace zephrix {
namespace {

using layout::ButtonHeight;
using layout::ButtonWidth;

constexpr int ListTop = 18;
constexpr int StatusRows = 3;
constexpr int StatusStep = 18;
// The shared place of the two buttons, measured from the page's bottom so
// that it keeps its distance when the page grows.
constexpr int ButtonLeft = twips(6810);
constexpr int ButtonBottomGap = twips(3945) - twips(3540) - ButtonHeight;

const int ColumnWidths[6] = {twips(2000), twips(2000), twips(450), twips(1000), twips(1440), twips(1440)};

QLabel* statusLabel(QWidget* page, QLabel* made, const char* name, const QString& text, QRect box)
{
    made->setParent(page);
    made->setObjectName(QString::fromLatin1(name));
    made->setTextFormat(Qt::PlainText);
    made->setText(text);
    made->setFont(controls::pageFont());
    made->setGeometry(box);
    return made;
}

} // namespace

ResultsPage::ResultsPage(QWidget* pctTabs) : QWidget(pctTabs)
{
    controls::setUpPage(this, "fraResults", QStringLiteral("Results"));
    controls::heading(this, "lblSearchResults", QStringLiteral("Search Results:"), {0, 0});

    const int statusTop = height() - StatusRows * StatusStep - 2;
    lstSearchResults = new QTableView(this);
    auto* placeholder = new QStandardItemModel(0, 6, lstSearchResults);
    for (int column = 0; column < 6; ++column)
        placeholder->setHeaderData(column, Qt::Horizontal, QString::fromLatin1(ResultsHeaders[column]));
    lstSearchResults->setModel(placeholder);
    lstSearchResults->setFont(controls::pageFont());
    lstSearchResults->verticalHeader()->hide();
    lstSearchResults->setShowGrid(false);
    lstSearchResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstSearchResults->setWordWrap(false);
    lstSearchResults->verticalHeader()->setDefaultSectionSize(QFontMetrics(controls::pageFont()).height() +
                                                              6);
    lstSearchResults->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QFontMetrics metrics(lstSearchResults->horizontalHeader()->font());
    for (int column = 0; column < 6; ++column) {
        const int header = metrics.horizontalAdvance(QString::fromLatin1(ResultsHeaders[column])) + 16;
        lstSearchResults->setColumnWidth(column, std::max(ColumnWidths[column], header));
    }
    setResultsList(lstSearchResults);
    lstSearchResults->setGeometry(0, ListTop, width(), statusTop - 6 - ListTop);

    const int textWidth = ButtonLeft - 12;
    lblFilesSearched = statusLabel(this, new QLabel, "lblFilesSearched", QStringLiteral("Files Searched: 0"),
                                   {0, statusTop, textWidth / 2, 16});
    lblFilesFound = statusLabel(this, new QLabel, "lblFilesFound", QStringLiteral("Files Found: 0"),
                                {textWidth / 2, statusTop, textWidth / 2, 16});
    lblSearchTime =
        statusLabel(this, new QLabel, "lblSearchTime", QStringLiteral("Results Returned In: 0 Seconds"),
                    {0, statusTop + StatusStep, textWidth, 16});
    lblNotes = statusLabel(this, new ElidedLabel, "lblNotes", QString(),
                           {0, statusTop + 2 * StatusStep, textWidth, 16});

    const QRect shared(ButtonLeft, height() - ButtonBottomGap - ButtonHeight, ButtonWidth, ButtonHeight);
    cmdExpandResults =
        controls::captionButton(this, "cmdExpandResults", QStringLiteral("Expand Results"), shared,
                                QStringLiteral("Click here to see the results in a larger/sizeable window."));
    cmdCancelSearch =
        controls::captionButton(this, "cmdCancelSearch", QStringLiteral("Cancel Search"), shared,
                                QStringLiteral("Click here if you want to cancel a search in progress."));
    // A caption too wide for the place widens both buttons to the left, so
    // they still cover each other exactly.
    const int buttonWidth = std::max(cmdExpandResults->width(), cmdCancelSearch->width());
    for (PictureButton* button : {cmdExpandResults, cmdCancelSearch})
        button->setGeometry(shared.right() + 1 - buttonWidth, shared.top(), buttonWidth, shared.height());
    cmdExpandResults->hide();
    cmdCancelSearch->hide();
}

void ResultsPage::setResultsList(QTableView* list)
{
    const QRect place = lstSearchResults->geometry();
    if (list != lstSearchResults) {
        list->setParent(this);
        list->setGeometry(place);
        list->show();
        delete lstSearchResults;
        lstSearchResults = list;
    }
    list->setObjectName(QStringLiteral("lstSearchResults"));
    controls::describe(list, QStringLiteral("Search Results:"));
}

int ResultsPage::resultCount() const
{
    return lstSearchResults->model() ? lstSearchResults->model()->rowCount() : 0;
}

} // namespace zephrix
