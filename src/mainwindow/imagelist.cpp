#include "mainwindow/imagelist.h"

#include <QApplication>
#include <QStyle>

ImageList::ImageList(QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("ImageList1"));
    const QStyle* style = QApplication::style();
    icons_.insert(Folder, style->standardIcon(QStyle::SP_DirIcon));
    icons_.insert(Formula, style->standardIcon(QStyle::SP_FileIcon));
}
