#include "scripteddialogs.h"

static const QString Title = QStringLiteral("Calcora");

int ScriptedDialogs::msgBox(QWidget*, const QString& text, int style, const QString& title)
{
    shown_ << QStringLiteral("%1|%2|%3").arg(title).arg(style).arg(text);
    if (!messages_.isEmpty()) {
        const Expected& next = messages_.head();
        if ((next.prefix ? text.startsWith(next.text) : text == next.text) && style == next.style && title == Title) {
            const Expected shown = messages_.dequeue();
            if (shown.whenShown)
                shown.whenShown();
            return shown.answer;
        }
    }
    unexpected_ << QStringLiteral("unexpected message box: %1|%2|%3").arg(title).arg(style).arg(text);
    return style == MsgStyle::YesNoQuestion ? MsgAnswer::No : MsgAnswer::Ok;
}

QString ScriptedDialogs::answer(QQueue<QString>& names, const QString& dialog)
{
    if (names.isEmpty()) {
        unexpected_ << QStringLiteral("unexpected ") + dialog;
        return {};
    }
    return names.dequeue();
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString&)
{
    return answer(fileNames_, QStringLiteral("file dialog"));
}

QString ScriptedDialogs::openFileName(QWidget*, const QString&)
{
    return answer(openNames_, QStringLiteral("open-file dialog"));
}

QString ScriptedDialogs::inputText(QWidget*, const QString& prompt, const QString&, const QString& title)
{
    if (inputs_.isEmpty() || inputs_.head().first != prompt || title != Title) {
        unexpected_ << QStringLiteral("unexpected input dialog: %1|%2").arg(title, prompt);
        return {};
    }
    return inputs_.dequeue().second;
}

QStringList ScriptedDialogs::surprises() const
{
    QStringList all = unexpected_;
    for (const Expected& expected : messages_)
        all << QStringLiteral("expected message box never shown: %1|%2").arg(expected.style).arg(expected.text);
    for (const auto& [prompt, typed] : inputs_)
        all << QStringLiteral("expected input dialog never shown: ") + prompt;
    for (const QString& path : fileNames_)
        all << QStringLiteral("expected file dialog never shown: ") + path;
    for (const QString& path : openNames_)
        all << QStringLiteral("expected open-file dialog never shown: ") + path;
    return all;
}
