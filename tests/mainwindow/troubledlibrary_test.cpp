#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "mainwindow/startup.h"
#include "store/store.h"
#include "ui_form1.h"

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

// Another program's write lock on the library, held until its connection closes.
std::shared_ptr<sqlite3> otherWriter(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "begin immediate", nullptr, nullptr, nullptr);
    return {db, sqlite3_close};
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

    // The box a refused change brings up names the library and what is wrong with it.
    void expectRefusal(const QString& trouble)
    {
        library().dialogs().expectMessageStarting("The formula library " + library().store().path() + " is " + trouble);
    }

private slots:
    // At start the program names what is wrong with the file, and how to get out of it; the
    // advice to create a library comes only where there is none. The file is left as it was,
    // and none is made where there was none.
    void startSaysWhatIsWrong_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<QStringList>("said");
        QTest::newRow("no file") << QByteArray() << QStringList{"There is no formula library", "calcora-initdb"};
        QTest::newRow("not a database") << QByteArray("caption,flag\nMechanics,1\n") << QStringList{"is damaged", ".recover", "backup"};
        QTest::newRow("empty file") << QByteArray("") << QStringList{"is not a formula library"};
    }
    void startSaysWhatIsWrong()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, said);
        const QString path = library().store().path();
        QFile file(path);
        QVERIFY(content.isNull() ? file.remove() : file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        ScriptedDialogs dialogs;
        QVERIFY(!openLibrary(library().directory(), dialogs));
        QCOMPARE(QFile::exists(path), !content.isNull());
        QCOMPARE(fileBytes(path), content);
        QCOMPARE(dialogs.shown().size(), 1);
        const QString shown = dialogs.shown().constFirst();
        QVERIFY(shown.startsWith("Calcora|64|"));
        for (const QString& words : said + QStringList{path})
            QVERIFY2(shown.contains(words), qPrintable(shown));
        QCOMPARE(shown.contains("calcora-initdb"), content.isNull());
    }

    // A library that cannot be written, read-only or found damaged by the background check
    // (reported once), can still be looked at and says so on the status line; changes are
    // refused with that reason, and nothing is written to the file, not even at closing.
    void unwritableLibrary_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("lasting");
        QTest::newRow("read-only") << "read-only" << "Library is read-only: nothing can be changed or recorded.";
        QTest::newRow("damaged") << "damaged" << "Library is damaged: nothing more is written to it.";
    }
    void unwritableLibrary()
    {
        QFETCH(QString, trouble);
        QFETCH(QString, lasting);
        const QString path = library().store().path();
        if (trouble == "damaged") {
            const auto items = library().store().first("select rootpage from sqlite_master where name=?", {"ItemRows"});
            const qint64 page = (items->value(0).toInt() - 1) * qint64(library().store().first("pragma page_size")->value(0).toInt());
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(page + 8));
            file.write(QByteArray(512, '\xee'));
            file.close();
            expectRefusal(trouble);
        }
        form1& window = library().restart(trouble == "damaged" ? Store::Access::ReadWrite : Store::Access::ReadOnly);
        QTRY_VERIFY(library().dialogs().surprises().isEmpty());
        QCOMPARE(window.controls().StatusLine->text(), lasting);
        const QByteArray before = fileBytes(path);
        expectRefusal(trouble);
        QVERIFY(!addCatalog(window, "Optics"));
        QVERIFY(window.controls().ListView2->topLevelItemCount() > 0);
        if (trouble == "read-only") {
            clickNode(window, "OhmsLaw");
            expectRefusal(trouble);
            window.controls().Command1->click();
            QCOMPARE(window.controls().ListView1->topLevelItemCount(), 0);
            QCOMPARE(window.controls().StatusLine->text(), lasting);
        }
        library().closeWindow();
        QCOMPARE(fileBytes(path), before);
    }

    // While another program writes, a change waits a moment, then says why it was not made.
    // Closing says so with the window still there, and clears the history once the other
    // program is done.
    void anotherProgramWriting()
    {
        form1& window = library().openWindow();
        Store& store = library().store();
        std::shared_ptr<sqlite3> other = otherWriter(store.path());
        expectRefusal("locked by another program");
        QVERIFY(!addCatalog(window, "Optics"));
        QVERIFY(!store.first("select * from CataConstruct where caption=?", {"Optics"}));
        other.reset();
        QVERIFY(addCatalog(window, "Optics"));

        clickNode(window, "OhmsLaw");
        window.controls().Command1->click();
        QVERIFY(!store.query("select * from ParaResult").isEmpty());
        other = otherWriter(store.path());
        bool toldOnScreen = false;
        library().dialogs().expectMessageStarting("The formula library " + store.path() + " is locked by another program", [&] {
            toldOnScreen = window.isVisible();
            other.reset();
        });
        library().closeWindow();
        QVERIFY(toldOnScreen);
        QVERIFY(store.query("select * from ParaResult").isEmpty());
        QCOMPARE(store.first("select calcount from OhmsLaw where ispara=0")->value(0).toString(), "0");
    }
};

QTEST_MAIN(TroubledLibraryTest)
#include "troubledlibrary_test.moc"
