#include "libraryfixture.h"

#include "mainwindow/form1.h"
#include "mainwindow/windowmemory.h"
#include "samplelibrary.h"
#include "ui_form1.h"

#include <QTest>

LibraryFixture::LibraryFixture(Contents contents)
{
    Store::createLibrary(dir_.path());
    store_ = std::make_unique<Store>(dir_.path());
    if (contents == Contents::Sample)
        fillSampleLibrary(*store_);
}

LibraryFixture::~LibraryFixture() = default;

form1& LibraryFixture::openWindow()
{
    window_ = std::make_unique<form1>(*store_, dialogs_);
    window_->setDesktop(&desktop_);
    if (settings_)
        rememberWindowState(*window_, *settings_);
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get()))
        qWarning("main window was not exposed");
    return *window_;
}

form1& LibraryFixture::openActiveWindow()
{
    form1& window = openWindow();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("main window did not become active");
    return window;
}

void LibraryFixture::closeWindow()
{
    if (window_)
        window_->close();
    window_.reset();
}

form1& LibraryFixture::restart(Store::Access access, const std::function<void(const QString&)>& changeFile)
{
    closeWindow();
    store_.reset();
    if (changeFile)
        changeFile(directory());
    store_ = std::make_unique<Store>(dir_.path(), access);
    return openWindow();
}
