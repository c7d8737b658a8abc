#include "layout/userdialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>

QString defaultSuffix(const QString& filter)
{
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.([^*?.\\s;)]+)[\\s;)]"));
    return firstPattern.match(filter).captured(1);
}

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
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog adds the suffix itself, so that it asks before replacing the file the name
    // becomes rather than the one typed.
    dialog.setDefaultSuffix(defaultSuffix(filter));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString WidgetDialogs::openFileName(QWidget* parent, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString WidgetDialogs::inputText(QWidget* parent, const QString& prompt, const QString& text, const QString& title)
{
    bool accepted = false;
    const QString typed = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, text, &accepted);
    return accepted ? typed : QString();
}
