#pragma once

#include <QString>
#include <QTreeWidget>

namespace qelvo
{
class FileSystem;
}

namespace qelvo::picker
{

// The picker's folder list: a drive at the top and the folders down to the
// open one unfolded. A folder's subfolders are read when it first opens.
class FolderTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit FolderTree(const FileSystem &fs, QWidget *parent = nullptr);

    // Shows top (a drive) with the folders down to folder open and folder
    // current; the items already read are kept while top stays the same.
    void showFolder(const QString &top, const QString &folder);
    // Fits the open folder's name into view (see foldertree.cpp).
    void revealCurrent();

signals:
    // A folder was clicked, double-clicked or given Enter.
    void folderChosen(const QString &path);

private:
    void fillChildren(QTreeWidgetItem *item);

    const FileSystem &m_fs;
};

} // namespace qelvo::picker
