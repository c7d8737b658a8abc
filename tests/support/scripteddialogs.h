#pragma once

#include "mainwindow/userdialogs.h"

#include <QQueue>
#include <QStringList>

// Answers message boxes and file dialogs from a script. A box nobody expected, or one whose
// text differs from the next expected one, is recorded and answered No/OK, so that the test
// fails on it instead of hanging on a real dialog.
class ScriptedDialogs final : public UserDialogs
{
public:
    void expectMessage(const QString& text, int answer = MsgAnswer::Ok);
    // A refused statement: any box whose text starts with the store's error wording.
    void expectStoreError();
    void expectSaveFileName(const QString& path);

    int msgBox(QWidget* parent, const QString& text, int style, const QString& title) override;
    QString saveFileName(QWidget* parent, const QString& filter) override;

    // Boxes shown that the script did not expect, and expected ones never shown.
    QStringList surprises() const;
    // Every box shown, as "title|style|text".
    const QStringList& shown() const { return shown_; }

private:
    struct Expected
    {
        QString text;
        bool prefix = false;
        int answer = MsgAnswer::Ok;
    };
    QQueue<Expected> messages_;
    QQueue<QString> fileNames_;
    QStringList unexpected_;
    QStringList shown_;
};
