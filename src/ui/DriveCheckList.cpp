#include "ui/DriveCheckList.h"

#include <QFileIconProvider>
#include <QFontMetrics>
#include <QHeaderView>

#include "ui/PageControls.h"

namespace zephrix {
namespace {

enum Column { SearchColumn, DriveColumn, TypeColumn };
constexpr int RootRole = Qt::UserRole;

QString fromBytes(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

DriveCheckList::DriveCheckList(QWidget* parent, const char* name, QRect box, const QString& accessibleName)
    : QTreeWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
    setFont(controls::pageFont());
    setGeometry(box);
    setColumnCount(3);
    setHeaderLabels({QStringLiteral("Search"), QStringLiteral("Drive"), QStringLiteral("Drive Type")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    controls::describe(this, accessibleName);

    // The check box and icon column and the type column take what they
    // need; the roots get the rest.
    const QFontMetrics metrics(header()->font());
    QHeaderView* columns = header();
    columns->setStretchLastSection(false);
    columns->setSectionsMovable(false);
    columns->setSectionResizeMode(DriveColumn, QHeaderView::Stretch);
    setColumnWidth(SearchColumn, std::max(58, metrics.horizontalAdvance(QStringLiteral("Search")) + 20));
    setColumnWidth(TypeColumn, metrics.horizontalAdvance(QString::fromLatin1(RemovableMedia)) + 16);

    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (filling_ || column != SearchColumn)
            return;
        emit checkChanged(item->data(DriveColumn, RootRole).toByteArray().toStdString(),
                          item->checkState(SearchColumn) == Qt::Checked);
    });
}

void DriveCheckList::addDrive(const Drive& drive, const QIcon& icon, bool checked)
{
    filling_ = true;
    auto* row = new QTreeWidgetItem(this);
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    row->setIcon(SearchColumn, icon);
    row->setCheckState(SearchColumn, checked ? Qt::Checked : Qt::Unchecked);
    row->setText(DriveColumn, fromBytes(drive.root));
    row->setData(DriveColumn, RootRole, QByteArray::fromStdString(drive.root));
    row->setToolTip(DriveColumn, fromBytes(drive.root));
    row->setText(TypeColumn, QString::fromLatin1(drive.typeName.c_str()));
    filling_ = false;
}

std::string DriveCheckList::rootAt(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(DriveColumn, RootRole).toByteArray().toStdString() : std::string();
}

bool DriveCheckList::isChecked(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item && item->checkState(SearchColumn) == Qt::Checked;
}

std::vector<std::string> DriveCheckList::checkedRoots() const
{
    std::vector<std::string> roots;
    for (int row = 0; row < rowCount(); ++row) {
        if (isChecked(row))
            roots.push_back(rootAt(row));
    }
    return roots;
}

QIcon driveIcon(const Drive& drive)
{
    static const QFileIconProvider provider;
    const std::string& type = drive.typeName;
    if (type == NetworkDrive)
        return QIcon::fromTheme(QStringLiteral("folder-remote"),
                                provider.icon(QAbstractFileIconProvider::Network));
    const char* themeName = type == RemovableMedia ? "drive-removable-media"
                            : type == OpticalDrive ? "drive-optical"
                                                   : "drive-harddisk";
    return QIcon::fromTheme(QString::fromLatin1(themeName), provider.icon(QAbstractFileIconProvider::Drive));
}

} // namespace zephrix
