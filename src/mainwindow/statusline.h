#pragma once

#include <QObject>
#include <QString>

class QLabel;
class Store;

// The main window's status area: why the last "Calculate" added nothing, or what to know about
// the result just computed or recalled or the command just refused, until the next computation,
// recall or tree click; otherwise what lasts, such as a library that cannot be written, or what
// opening did to a library of the older layout until the user starts to work. It never opens a
// box and never takes the focus.
class StatusLine final : public QObject
{
    Q_OBJECT
public:
    StatusLine(QLabel& line, Store& store);

    // A line about what the last command did; an empty one clears it.
    void tell(const QString& note);
    // The user started to work: what opening did is no longer news.
    void clearConversion();
    // Shows again what there is to tell: the library's state may have changed.
    void show();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Store& store_;
    QLabel& line_;
    QString note_;
    QString conversion_;
};
