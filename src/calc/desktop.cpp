#include "calc/desktop.h"

#include <QDesktopServices>
#include <QUrl>

bool SystemDesktop::open(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
