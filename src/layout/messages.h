#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QWidget;
class UserDialogs;

// What a command tells the user. The main window's hidden labels hold every text the system
// shows: messages, the captions of the dialogs' modes, column headers, the root's text. A text is
// read from its label when it is needed, so the labels stay the one copy. Boxes are titled with
// Label25's caption and go through UserDialogs; windows, panels and dialogs take this rather than
// the main window.
class Messages : public QObject
{
    Q_OBJECT
public:
    // The labels by the numbers of their object names, "Label5" to "Label81".
    enum Label {
        Label5 = 5, Label6, Label7, Label8, Label9, Label10, Label11, Label12, Label13, Label14, Label15, Label16,
        Label17, Label18, Label19, Label20, Label21, Label22, Label23, Label24, Label25, Label26, Label27, Label28,
        Label29, Label30, Label31, Label32, Label33, Label34, Label35, Label36, Label37, Label38, Label39, Label40,
        Label41, Label42, Label43, Label44, Label45, Label46,
        Label49 = 49, Label50, Label51, Label52, Label53, Label54, Label55, Label56, Label57, Label58, Label59, Label60,
        Label61, Label62, Label63, Label64, Label65, Label66, Label67, Label68, Label69, Label70, Label71, Label72,
        Label73, Label74, Label75, Label76, Label77, Label78, Label79, Label80, Label81,
    };

    // The labels are window's children; boxes open over window unless told otherwise.
    Messages(QWidget& window, UserDialogs& dialogs);

    QString text(Label label) const;
    UserDialogs& dialogs() { return dialogs_; }

    // A box with the label's caption, or a text, over the window over (the main window when
    // null); returns the answer (MsgAnswer). A caption holding %1 names item there.
    int box(Label label, int style, QWidget* over = nullptr);
    int box(Label label, const QString& item, int style, QWidget* over = nullptr);
    int box(const QString& text, int style, QWidget* over = nullptr);
    // A box telling trouble with the library, which the status line then tells too.
    void boxTrouble(const QString& text, QWidget* over = nullptr);

    // Runs one user command; a statement the library refuses is told, and false returned.
    bool run(const std::function<void()>& command, QWidget* over = nullptr);
    // Runs check and, when it names no refusal, write, as one command. Tells the refusal's
    // label or the library's complaint; true when written.
    bool runChecked(const std::function<std::optional<Label>()>& check, const std::function<void()>& write,
                    QWidget* over = nullptr);

    // A line for the status area about a command just refused, beside its box.
    void notice(const QString& text) { emit noticed(text); }

signals:
    void troubleShown();
    void noticed(const QString& text);

private:
    QWidget& window_;
    UserDialogs& dialogs_;
    QHash<int, const QLabel*> labels_;
};
