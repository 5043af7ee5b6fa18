#include "picker/foldertree.h"

#include "picker/folderbrowse.h"
#include "platform/appidentity.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>

namespace qelvo::picker
{

namespace
{

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;
// How far each level steps in, in pixels: the usual step and the least it
// takes to show a deep folder's name.
constexpr int kIndent = 12;
constexpr int kIndentLeast = 4;

QTreeWidgetItem *newFolderItem(const QString &name, const QString &path, const QIcon &icon)
{
    auto *item = new QTreeWidgetItem(QStringList{name});
    item->setData(0, kPathRole, path);
    item->setIcon(0, icon);
    item->setToolTip(0, path);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

} // namespace

FolderTree::FolderTree(const FileSystem &fs, QWidget *parent) : QTreeWidget(parent), m_fs(fs)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(kIndent);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    connect(this, &QTreeWidget::itemExpanded, this, &FolderTree::fillChildren);
    // A folder opens when it is clicked, double-clicked or given Enter; the
    // arrow keys only move the selection, so Down does not dive into each
    // folder it passes.
    const auto chosen = [this](QTreeWidgetItem *item) {
        if (item)
            emit folderChosen(item->data(0, kPathRole).toString());
    };
    connect(this, &QTreeWidget::itemClicked, this, chosen);
    connect(this, &QTreeWidget::itemActivated, this, chosen);
}

void FolderTree::fillChildren(QTreeWidgetItem *item)
{
    if (!item || item->data(0, kFilledRole).toBool())
        return;
    item->setData(0, kFilledRole, true);
    const QString folder = item->data(0, kPathRole).toString();
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    QList<QTreeWidgetItem *> children;
    for (const QString &name : subfolderNames(m_fs, folder))
        children << newFolderItem(name, joinPath(folder, name), icon);
    item->addChildren(children);
    if (children.isEmpty())
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

void FolderTree::showFolder(const QString &top, const QString &folder)
{
    const QSignalBlocker blocker(this);
    QTreeWidgetItem *item = topLevelItem(0);
    if (!item || item->data(0, kPathRole).toString() != top) {
        clear();
        item = newFolderItem(top, top, style()->standardIcon(QStyle::SP_DriveHDIcon));
        addTopLevelItem(item);
    }
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);
    if (QTreeWidgetItem *old = currentItem(); old && old->parent())
        old->setIcon(0, closedIcon);

    for (const QString &path : foldersBelow(top, folder)) {
        fillChildren(item);
        item->setExpanded(true);
        QTreeWidgetItem *child = nullptr;
        for (int i = 0; i < item->childCount() && !child; ++i) {
            if (item->child(i)->data(0, kPathRole).toString() == path)
                child = item->child(i);
        }
        if (!child) {
            // A hidden folder, or one created since the parent was read.
            child = newFolderItem(QFileInfo(path).fileName(), path, closedIcon);
            item->addChild(child);
            item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        }
        item = child;
    }
    fillChildren(item);
    item->setExpanded(true);
    if (item->parent())
        item->setIcon(0, style()->standardIcon(QStyle::SP_DirOpenIcon));
    setCurrentItem(item);
    scrollToItem(item);
    revealCurrent();
}

// A deep folder sits far right in the narrow list. Rather than scrolling
// sideways, which hides the start of every name above it, the levels step in
// less, down to a few pixels, so that the open folder's name shows whole where
// it can; the list starts at its left edge.
void FolderTree::revealCurrent()
{
    QTreeWidgetItem *item = currentItem();
    if (!item)
        return;
    int depth = 1; // the drive's own level, with its expand mark
    for (QTreeWidgetItem *up = item->parent(); up; up = up->parent())
        ++depth;
    const int gap = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int icon = iconSize().isValid() ? iconSize().width()
                                          : style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const int name = icon + 4 * gap + fontMetrics().horizontalAdvance(item->text(0));
    const int room = viewport()->width() - name;
    setIndentation(std::clamp(room / depth, kIndentLeast, kIndent));
    resizeColumnToContents(0);
    doItemsLayout();
    horizontalScrollBar()->setValue(0);
}

} // namespace qelvo::picker
