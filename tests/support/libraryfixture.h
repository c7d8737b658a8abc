#pragma once

#include "scripteddesktop.h"
#include "scripteddialogs.h"
#include "store/store.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

class QSettings;
class form1;

// A fresh library in its own temporary directory, made by the same code as calcora-initdb,
// with scripted dialogs and desktop and, on demand, a main window on them.
class LibraryFixture
{
public:
    enum class Contents { Empty, Sample };

    explicit LibraryFixture(Contents contents = Contents::Sample);
    ~LibraryFixture();

    QString directory() const { return dir_.path(); }
    Store& store() { return *store_; }
    ScriptedDialogs& dialogs() { return dialogs_; }
    ScriptedDesktop& desktop() { return desktop_; }

    // From now on the window comes back as it was left in settings, and leaves its state there.
    void rememberWindowIn(QSettings& settings) { settings_ = &settings; }
    // Shows a main window on the library, as the program does at start-up.
    form1& openWindow();
    // The same, with the keyboard focus, as the user works in it.
    form1& openActiveWindow();
    // Closes it, as the user does at the end of a session.
    void closeWindow();
    // Closes the window and the connection and opens both again, as a restart does; in between,
    // changeFile is handed the library's directory, when given.
    form1& restart(Store::Access access = Store::Access::ReadWrite,
                   const std::function<void(const QString&)>& changeFile = {});

private:
    QTemporaryDir dir_;
    std::unique_ptr<Store> store_;
    ScriptedDialogs dialogs_;
    ScriptedDesktop desktop_;
    std::unique_ptr<form1> window_;
    QSettings* settings_ = nullptr;
};

// Fails the running test when a message box or file dialog went otherwise than scripted.
#define VERIFY_NO_SURPRISES(fixture) \
    QVERIFY2((fixture).dialogs().surprises().isEmpty(), qPrintable((fixture).dialogs().surprises().join('\n')))
