#include "files/file_paths.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace sw;

class FilePathsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitsAtTheLastSlash()
    {
        QString folder;
        QString name = u"old"_s;
        QVERIFY(Get_File_Directory(u"/home/tech/Line1.scp"_s, folder).isEmpty());
        QVERIFY(Get_File_Name(u"/home/tech/Line1.scp"_s, name).isEmpty());
        QCOMPARE(folder + u'|' + name, u"/home/tech|Line1.scp"_s);
        QVERIFY(Get_File_Directory(u"/Line1.scp"_s, folder).isEmpty());
        QCOMPARE(folder, u"/"_s);

        // No folder or no name: the folder is emptied, the name left as it was.
        QCOMPARE(Get_File_Directory(u"Line1.scp"_s, folder), u"File Path Error"_s);
        QCOMPARE(Get_File_Name(u"Line1.scp"_s, name), u"File Path Error"_s);
        QCOMPARE(Get_File_Name(u"/home/tech/"_s, name), u"File Path Error"_s);
        QCOMPARE(folder + u'|' + name, u"|Line1.scp"_s);
    }

    void addsTheSuffixUnlessThere()
    {
        for (const auto& [typed, saved] :
             {std::pair{u"/t/Plant 2.5 test"_s, u"/t/Plant 2.5 test.scp"_s},
              {u"/t/Line1.v2"_s, u"/t/Line1.v2.scp"_s},
              {u"/t.scp/Line1"_s, u"/t.scp/Line1.scp"_s},
              {u"/t/Line1.sc"_s, u"/t/Line1.sc.scp"_s},
              {u"/t/Line1.ScP"_s, u"/t/Line1.ScP"_s}})
            QCOMPARE(withDefaultSuffix(typed, u"scp"), saved);
    }
};

QTEST_APPLESS_MAIN(FilePathsTest)
#include "test_file_paths.moc"
