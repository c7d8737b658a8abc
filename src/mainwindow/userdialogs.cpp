#include "mainwindow/userdialogs.h"

#include <QFileDialog>
#include <QMessageBox>

int WidgetDialogs::msgBox(QWidget* parent, const QString& text, int style, const QString& title)
{
    if (style == MsgStyle::YesNoQuestion) {
        const auto answer = QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No);
        return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    }
    QMessageBox::information(parent, title, text);
    return MsgAnswer::Ok;
}

QString WidgetDialogs::saveFileName(QWidget* parent, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
}
