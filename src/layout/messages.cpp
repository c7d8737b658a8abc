#include "layout/messages.h"

#include "layout/userdialogs.h"
#include "store/storeerror.h"

#include <QLabel>

Messages::Messages(QWidget& window, UserDialogs& dialogs)
    : QObject(&window)
    , window_(window)
    , dialogs_(dialogs)
{
    // One walk over the window's children, not one for each label: the window is made at every start.
    for (const QLabel* label : window.findChildren<const QLabel*>()) {
        bool numbered = false;
        const int number = QStringView(label->objectName()).mid(5).toInt(&numbered);
        if (numbered && label->objectName().startsWith(QLatin1String("Label")))
            labels_.insert(number, label);
    }
}

QString Messages::text(Label label) const
{
    const QLabel* holder = labels_.value(label);
    return holder ? holder->text() : QString();
}

int Messages::box(Label label, int style, QWidget* over)
{
    return box(text(label), style, over);
}

int Messages::box(Label label, const QString& item, int style, QWidget* over)
{
    const QString caption = text(label);
    return box(caption.contains(QLatin1String("%1")) ? caption.arg(item) : caption, style, over);
}

int Messages::box(const QString& text, int style, QWidget* over)
{
    return dialogs_.msgBox(over ? over : &window_, text, style, this->text(Label25));
}

void Messages::boxTrouble(const QString& text, QWidget* over)
{
    box(text, MsgStyle::Information, over);
    emit troubleShown();
}

bool Messages::run(const std::function<void()>& command, QWidget* over)
{
    try {
        command();
        return true;
    } catch (const StoreError& error) {
        boxTrouble(error.userText(), over);
    }
    return false;
}

bool Messages::runChecked(const std::function<std::optional<Label>()>& check, const std::function<void()>& write,
                          QWidget* over)
{
    std::optional<Label> refusal;
    const bool written = run([&] {
        refusal = check();
        if (!refusal)
            write();
    }, over);
    if (refusal) {
        box(*refusal, MsgStyle::Information, over);
        return false;
    }
    return written;
}
