#include "mainwindow/imagelist.h"

#include "mainwindow/drawnicons.h"

ImageList::ImageList(QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("ImageList1"));
    icons_.insert(Folder, DrawnIcons::folder());
    icons_.insert(Formula, DrawnIcons::formula());
}
