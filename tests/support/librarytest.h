#pragma once

#include "libraryfixture.h"

#include <QLocale>
#include <QObject>
#include <QTest>
#include <optional>

// A test object whose every test function starts on a fresh sample library and fails on any
// message box it did not script.
class LibraryTest : public QObject
{
    Q_OBJECT

protected:
    LibraryFixture& library() { return *library_; }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { library_.emplace(); }
    void cleanup()
    {
        VERIFY_NO_SURPRISES(*library_);
        library_.reset();
    }

private:
    std::optional<LibraryFixture> library_;
};
