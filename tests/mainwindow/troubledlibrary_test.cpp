#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "mainwindow/startup.h"
#include "store/store.h"

#include <QFile>
#include <QTest>
#include <sqlite3.h>

using namespace GuiDriver;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Another program's write lock on the library, held while it lives.
class OtherWriter
{
public:
    explicit OtherWriter(const QString& path, const char* begin = "begin immediate")
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(db_, begin, nullptr, nullptr, nullptr);
        sqlite3_exec(db_, "delete from ParaResult", nullptr, nullptr, nullptr);
    }
    ~OtherWriter()
    {
        sqlite3_exec(db_, "rollback", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
    }

private:
    sqlite3* db_ = nullptr;
};

// The last box shown, as "title|style|text".
QString lastBox(LibraryFixture& library)
{
    return library.dialogs().shown().value(library.dialogs().shown().size() - 1);
}

bool addCatalog(form1& window, const QString& name)
{
    clickNode(window, "");
    answerCatalogDialog(name, "");
    trigger(window, "mnewcataroot");
    return window.tree().find(name) != nullptr;
}

} // namespace

class TroubledLibraryTest : public LibraryTest
{
    Q_OBJECT

private slots:
    // At start the program names what is wrong with the file, and how to get out of it; the
    // advice to create a library comes only where there is none.
    void startSaysWhatIsWrong_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("notSaid");
        QTest::newRow("no file") << "remove" << QStringList{"There is no formula library", "calcora-initdb"} << QStringList{};
        QTest::newRow("not a database") << "text" << QStringList{"is damaged", ".recover", "backup"}
                                        << QStringList{"calcora-initdb"};
        QTest::newRow("locked") << "lock" << QStringList{"locked by another program", "try again"}
                                << QStringList{"calcora-initdb"};
    }
    void startSaysWhatIsWrong()
    {
        QFETCH(QString, trouble);
        QFETCH(QStringList, said);
        QFETCH(QStringList, notSaid);
        const QString path = library().store().path();
        std::unique_ptr<OtherWriter> other;
        if (trouble == "remove") {
            QFile::remove(path);
        } else if (trouble == "text") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("caption,flag\nMechanics,1\n");
        } else {
            other = std::make_unique<OtherWriter>(path, "begin exclusive");
        }
        ScriptedDialogs dialogs;
        QVERIFY(!openLibrary(library().directory(), dialogs));
        QCOMPARE(dialogs.shown().size(), 1);
        const QString shown = dialogs.shown().constFirst();
        QVERIFY(shown.startsWith("Calcora|64|"));
        QVERIFY2(shown.contains(path), qPrintable(shown));
        for (const QString& words : said)
            QVERIFY2(shown.contains(words), qPrintable(shown));
        for (const QString& words : notSaid)
            QVERIFY2(!shown.contains(words), qPrintable(shown));
    }

    // A library that cannot be written can still be looked at; changes are refused with that
    // reason, and closing the window writes nothing and says nothing.
    void readOnlyLibrary()
    {
        form1& window = library().restart(Store::Access::ReadOnly);
        const QByteArray before = fileBytes(library().store().path());
        clickNode(window, "Mechanics");
        QVERIFY(window.controls().ListView2->topLevelItemCount() > 0);
        library().dialogs().expectMessageStarting("The formula library");
        QVERIFY(!addCatalog(window, "Optics"));
        QVERIFY(lastBox(library()).contains("is read-only"));
        clickNode(window, "OhmsLaw");
        library().dialogs().expectMessageStarting("The formula library");
        window.controls().Command1->click();
        QCOMPARE(window.controls().ListView1->topLevelItemCount(), 0);
        library().closeWindow();
        QCOMPARE(fileBytes(library().store().path()), before);
    }

    // Damage the background check finds is reported once; from then on nothing is written to
    // the file, not even at closing.
    void damageFoundWhileWorking()
    {
        const QString path = library().store().path();
        const auto items = library().store().first("select rootpage from sqlite_master where name=?", {"ItemRows"});
        const qint64 page = (items->value(0).toInt() - 1) * qint64(library().store().first("pragma page_size")->value(0).toInt());
        library().closeWindow();
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(page + 8));
            file.write(QByteArray(512, '\xee'));
        }
        library().dialogs().expectMessageStarting("The formula library");
        form1& window = library().restart();
        QTRY_VERIFY(library().dialogs().surprises().isEmpty());
        QVERIFY(lastBox(library()).contains("is damaged"));
        QCOMPARE(window.controls().StatusLine->text(), "Library is damaged: nothing more is written to it.");
        const QByteArray before = fileBytes(path);
        library().dialogs().expectMessageStarting("The formula library");
        QVERIFY(!addCatalog(window, "Optics"));
        library().closeWindow();
        QCOMPARE(fileBytes(path), before);
    }

    // While another program writes, a change waits a moment, then says why it was not made.
    void anotherProgramWriting()
    {
        form1& window = library().openWindow();
        {
            OtherWriter other(library().store().path());
            library().dialogs().expectMessageStarting("The formula library");
            QVERIFY(!addCatalog(window, "Optics"));
            QVERIFY(lastBox(library()).contains("locked by another program"));
            QVERIFY(!library().store().first("select * from CataConstruct where caption=?", {"Optics"}));
        }
        QVERIFY(addCatalog(window, "Optics"));
    }
};

QTEST_MAIN(TroubledLibraryTest)
#include "troubledlibrary_test.moc"
