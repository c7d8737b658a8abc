#pragma once

#include <QObject>
#include <QString>

class UserDialogs;
class QWidget;

// The main window's file dialog for saving, as a component: a filter of "description|pattern"
// pairs, all joined by "|".
class CommonDialog : public QObject
{
    Q_OBJECT
public:
    CommonDialog(const QString& name, const QString& filter, QObject* parent);

    const QString& filter() const { return filter_; }
    // The file the user chose to save to, or an empty string when cancelled. A name typed
    // without a suffix gets the filter's first one: "results" saves as "results.txt".
    QString showSave(UserDialogs& dialogs, QWidget* parent) const;
    // The filter as a file dialog takes it: "description (pattern)", separated by ";;".
    static QString dialogFilter(const QString& filter);

private:
    QString filter_;
};
