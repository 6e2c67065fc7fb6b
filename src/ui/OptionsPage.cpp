#include "ui/OptionsPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <utility>

#include "app/ErrorLocations.h"
#include "app/OptionWrites.h"
#include "shell/KeyedAccess.h"
#include "ui/DriveCheckList.h"
#include "ui/DropDownPicker.h"
#include "ui/ElidedLabel.h"
#include "ui/HandlerGuard.h"
#include "ui/MainWindowLayout.h"
#include "ui/OptionBoxes.h"
#include "ui/PageControls.h"
#include "ui/PickerEntries.h"
#include "ui/PictureButton.h"

namespace zephrix {
namespace {

namespace L = SearchLocations;
using layout::ButtonHeight;
using layout::ButtonWidth;
using layout::LineHeight;

constexpr int LeftWidth = 284;
constexpr int RightLeft = 296;

const QString HoursCaption = QStringLiteral("Automatically Re-Index Drives Every");

} // namespace

OptionsPage::OptionsPage(QWidget* pctTabs) : QWidget(pctTabs)
{
    controls::setUpPage(this, "fraOptions", QStringLiteral("Options"));
    controls::heading(this, "lblOptions", QStringLiteral("Options:"), {0, 0});

    // Background indexing.
    const QLabel* every = controls::label(this, "lblReIndexEvery", HoursCaption, {0, 24});
    const int hoursLeft = every->geometry().right() + 6;
    hours = new DropDownPicker(this, {"txtHours", "cmbHours", "lstHours"}, {hoursLeft, 22, 40, LineHeight},
                               twips(1200), {L::cmbHours, L::lstHours, L::lstHoursLostFocus}, HoursCaption,
                               QStringLiteral("Select the number of hours between reindexing drives."));
    hours->text->setReadOnly(true);
    hours->setEntries(pickers::reindexHours());
    connect(hours, &DropDownPicker::chosen, this, &OptionsPage::lstHours_Click);
    controls::label(this, "lblHours", QStringLiteral("Hours"), {hours->arrow->geometry().right() + 6, 24});

    controls::label(this, "lblIndexDrives", QStringLiteral("Maintain Indexes For These Drives:"), {0, 52});
    const int buttonTop = height() - ButtonHeight;
    lstIndexDrives = new DriveCheckList(this, "lstIndexDrives", {0, 70, LeftWidth, buttonTop - 6 - 70},
                                        QStringLiteral("Maintain Indexes For These Drives:"));
    connect(lstIndexDrives, &DriveCheckList::checkChanged, this, &OptionsPage::lstIndexDrives_Check);
    cmdForceIndex = controls::captionButton(
        this, "cmdForceIndex", QStringLiteral("Re-Index Now"), {0, buttonTop, ButtonWidth, ButtonHeight},
        QStringLiteral("Click here to force Zephrix to reindex your drives immediately."));
    const int reindexingLeft = cmdForceIndex->geometry().right() + 8;
    lblReindexing = new ElidedLabel(this);
    lblReindexing->setObjectName(QStringLiteral("lblReindexing"));
    lblReindexing->setFont(controls::pageFont());
    lblReindexing->setGeometry(reindexingLeft, buttonTop + 4, LeftWidth - reindexingLeft, 16);
    // The list stays over the drives below it.
    hours->list->raise();

    // Dragging from the results, under the interval's row, which is wider
    // than the left column.
    const QLabel* dragging = controls::wrappedLabel(
        this, "lblDragMode",
        QStringLiteral("When Dragging A File From The Results To A Windows Folder It Will:"),
        {RightLeft, 52, width() - RightLeft, 0});
    const int dragRow = dragging->geometry().bottom() + 4;
    const char* const dragCaptions[2] = {"Copy It", "Move It"};
    int optionLeft = RightLeft + 10;
    for (int i = 0; i < 2; ++i) {
        optCopyMove[i] = controls::optionButton(this, QStringLiteral("optCopyMove_%1").arg(i),
                                                QString::fromLatin1(dragCaptions[i]), {optionLeft, dragRow});
        optCopyMove[i]->setProperty("index", i);
        optionLeft = optCopyMove[i]->geometry().right() + 24;
        connect(optCopyMove[i], &QRadioButton::clicked, this, [this, i] { optCopyMove_Click(i); });
    }
    auto* dragModes = new QButtonGroup(this);
    dragModes->addButton(optCopyMove[0]);
    dragModes->addButton(optCopyMove[1]);
    optCopyMove[0]->setChecked(true);

    // Start-up and the shortcut.
    int row = dragRow + 30;
    const auto nextRow = [&] { return QPoint(RightLeft, std::exchange(row, row + 20)); };
    chkDisableKeyedAccess = controls::checkBox(this, "chkDisableKeyedAccess",
                                               QStringLiteral("Disable Windows-S Keyed Access"), nextRow());
    chkAutoHide =
        controls::checkBox(this, "chkAutoHide", QStringLiteral("Hide To Tray On Startup"), nextRow());
    chkAutoUpdate = controls::checkBox(
        this, "chkAutoUpdate", QStringLiteral("Automatically Check For Updates On Startup"), nextRow());
    chkAutoStart =
        controls::checkBox(this, "chkAutoStart", QStringLiteral("Startup With Windows"), nextRow());
    connectOptionBoxes({
        {chkDisableKeyedAccess, &options::DisableKeyedAccess, &OptionValues::DisableKeyedAccess,
         L::chkDisableKeyedAccess},
        {chkAutoHide, &options::AutoHide, nullptr, L::chkAutoHide},
        {chkAutoUpdate, &options::AutoUpdate, nullptr, L::chkAutoUpdate},
        {chkAutoStart, &options::AutoStart, &OptionValues::AutoStart, L::chkAutoStart},
    });

    // The key shortcut is read from the X server; other sessions (Wayland)
    // do not offer it to programs. Shown by whoever watches the keys, where
    // they cannot be seen.
    lblKeyedAccessNote = controls::wrappedLabel(this, "lblKeyedAccessNote", KeyedAccess::unavailableNotice(),
                                                {RightLeft, row + 8, width() - RightLeft, 0});
    lblKeyedAccessNote->hide();
}

void OptionsPage::lstHours_Click(const QString&)
{
    guarded(L::lstHours,
            [&] { saveOptionSetting(options::ReIndex, hours->text->text().toUtf8().toStdString()); });
}

void OptionsPage::optCopyMove_Click(int index)
{
    guarded(L::optCopyMove, [&] {
        saveOptionSetting(options::DragMode, std::to_string(index));
        moduleOptions().DragMode = index;
    });
}

void OptionsPage::lstIndexDrives_Check(const std::string& root, bool checked)
{
    guarded(L::lstIndexDrives, [&] { saveIndexDriveSetting(root, checked); });
}

} // namespace zephrix
