#pragma once

#include "layout/userdialogs.h"

#include <QQueue>
#include <QStringList>
#include <functional>
#include <utility>

// Answers message boxes and file dialogs from a script. A box nobody expected, or one whose
// text, title or style differs from the next expected one, is recorded and answered No/OK, so
// that the test fails on it instead of hanging on a real dialog. Every box is titled "Calcora".
class ScriptedDialogs final : public UserDialogs
{
public:
    // A notice or refusal: information icon and OK (style 64).
    void expectMessage(const QString& text) { messages_.enqueue({text, false, MsgStyle::Information, MsgAnswer::Ok, {}}); }
    // A confirmation: question icon, Yes and No (style 36), answered with answer.
    void expectQuestion(const QString& text, int answer) { messages_.enqueue({text, false, MsgStyle::YesNoQuestion, answer, {}}); }
    // A notice whose text starts with textStart, such as a statement the library refused;
    // whenShown, if given, runs while it is shown, as a user might act before answering.
    void expectMessageStarting(const QString& textStart, const std::function<void()>& whenShown = {})
    {
        messages_.enqueue({textStart, true, MsgStyle::Information, MsgAnswer::Ok, whenShown});
    }
    // A statement the library refused.
    void expectStoreError() { expectMessageStarting(QStringLiteral("The library could not be changed")); }
    void expectSaveFileName(const QString& path) { fileNames_.enqueue(path); }
    void expectOpenFileName(const QString& path) { openNames_.enqueue(path); }
    // A line to type, answering the prompt prompt; an empty one cancels.
    void expectInput(const QString& prompt, const QString& typed) { inputs_.enqueue({prompt, typed}); }

    int msgBox(QWidget* parent, const QString& text, int style, const QString& title) override;
    QString saveFileName(QWidget* parent, const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& filter) override;
    QString inputText(QWidget* parent, const QString& prompt, const QString& text, const QString& title) override;

    // Boxes shown that the script did not expect, and expected ones never shown.
    QStringList surprises() const;
    // Every box shown, as "title|style|text".
    const QStringList& shown() const { return shown_; }

private:
    struct Expected
    {
        QString text;
        bool prefix = false;
        int style = MsgStyle::Information;
        int answer = MsgAnswer::Ok;
        std::function<void()> whenShown;
    };
    QQueue<Expected> messages_;
    // The next answer of a file dialog of that kind, or a surprise.
    QString answer(QQueue<QString>& names, const QString& dialog);

    QQueue<QString> fileNames_;
    QQueue<QString> openNames_;
    QQueue<std::pair<QString, QString>> inputs_; // prompt, typed
    QStringList unexpected_;
    QStringList shown_;
};
