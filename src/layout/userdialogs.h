#pragma once

#include <QString>

class QWidget;

// Message-box styles and answers, by the numbers the forms use.
namespace MsgStyle {
constexpr int Information = 64; // information icon, OK
constexpr int YesNoQuestion = 36; // question icon, Yes and No
}
namespace MsgAnswer {
constexpr int Ok = 1;
constexpr int Yes = 6;
constexpr int No = 7;
}

// Every message box and file dialog goes through here, so that tests can answer them.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;
    // Returns one of MsgAnswer.
    virtual int msgBox(QWidget* parent, const QString& text, int style, const QString& title) = 0;
    // A file to save to, or an empty string when the user cancels; filter as "Text(*.txt)".
    virtual QString saveFileName(QWidget* parent, const QString& filter) = 0;
    // An existing file to read, or an empty string when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    // A line of text the user types after prompt, starting as text; an empty string when the
    // user cancels.
    virtual QString inputText(QWidget* parent, const QString& prompt, const QString& text, const QString& title) = 0;
};

// The suffix of a file dialog filter's first pattern, "txt" for "Textfiles (*.txt)"; empty when
// that pattern names no one suffix. A name typed without a suffix gets it.
QString defaultSuffix(const QString& filter);

// The real thing: QMessageBox and QFileDialog.
class WidgetDialogs final : public UserDialogs
{
public:
    int msgBox(QWidget* parent, const QString& text, int style, const QString& title) override;
    QString saveFileName(QWidget* parent, const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& filter) override;
    QString inputText(QWidget* parent, const QString& prompt, const QString& text, const QString& title) override;
};
