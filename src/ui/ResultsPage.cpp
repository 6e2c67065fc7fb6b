#include "ui/ResultsPage.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>

#include "results/ResultsList.h"
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
    lstSearchResults = new ResultsList(this);
    lstSearchResults->setObjectName(QStringLiteral("lstSearchResults"));
    controls::describe(lstSearchResults, QStringLiteral("Search Results:"));
    lstSearchResults->setFont(controls::pageFont());
    lstSearchResults->verticalHeader()->setDefaultSectionSize(QFontMetrics(controls::pageFont()).height() +
                                                              6);
    QHeaderView* header = lstSearchResults->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Never narrower than its caption, so every header reads whole at first.
    const QFontMetrics metrics(header->font());
    for (int column = 0; column < ResultsColumnCount; ++column) {
        const QString caption = lstSearchResults->model()->headerData(column, Qt::Horizontal).toString();
        header->resizeSection(column,
                              std::max(header->sectionSize(column), metrics.horizontalAdvance(caption) + 16));
    }
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

int ResultsPage::resultCount() const
{
    return lstSearchResults->model()->rowCount();
}

} // namespace zephrix
