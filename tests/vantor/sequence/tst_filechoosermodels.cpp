#include "sequence/filesystemproxymodel.h"
#include "sequence/sortfilterproxymodel.h"
#include "testsupport/testmain.h"

#include <QAbstractItemModelTester>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

using namespace Vl::Tavix3::UI;

Q_DECLARE_METATYPE(SortFilterProxyModel::FilterSyntax)
Q_DECLARE_METATYPE(Qt::CaseSensitivity)

namespace {

constexpr int kFileName = FileSystemProxyModel::kFileNameRole;
constexpr int kFilePath = FileSystemProxyModel::kFilePathRole;

// A folder listing as the folder model of the screens gives it: file name and path roles.
class Listing : public QStandardItemModel
{
public:
    explicit Listing(const QStringList& names = {}, const QString& folder = QStringLiteral("/data/Custom"))
    {
        setItemRoleNames({ { kFileName, "fileName" }, { kFilePath, "filePath" }, { kFilePath + 1, "fileSuffix" } });
        for (const QString& name : names)
            add(name, folder);
    }

    void add(const QString& name, const QString& folder = QStringLiteral("/data/Custom"))
    {
        auto* item = new QStandardItem;
        item->setData(name, kFileName);
        item->setData(folder + QLatin1Char('/') + name, kFilePath);
        item->setData(name.section(QLatin1Char('.'), -1), kFilePath + 1);
        appendRow(item);
    }
};

QStringList shownNames(const QAbstractItemModel& model)
{
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names << model.data(model.index(row, 0), kFileName).toString();
    return names;
}

} // namespace

// The filter models of the file choosers over a folder listing.
class TestFileChooserModels : public QObject
{
    Q_OBJECT

private slots:
    void filterPatterns_data();
    void filterPatterns();
    void countFollowsRows();
    void rowObjects();
    void roleNamesTakeEffectAtCompletion();
    void sourceMustBeAModel();
    void readableFolderNames_data();
    void readableFolderNames();
};

void TestFileChooserModels::filterPatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<SortFilterProxyModel::FilterSyntax>("syntax");
    QTest::addColumn<Qt::CaseSensitivity>("sensitivity");
    QTest::addColumn<QByteArray>("role");
    QTest::addColumn<QStringList>("shown");

    const auto wildcard = SortFilterProxyModel::Wildcard;
    QTest::newRow("empty pattern") << QString() << wildcard << Qt::CaseInsensitive << QByteArray()
                                   << QStringList { "AlpineStart.json", "Rally.json", "list.xlsx", "notes.txt" };
    QTest::newRow("letters between asterisks")
        << "*alp*" << wildcard << Qt::CaseInsensitive << QByteArray() << QStringList { "AlpineStart.json" };
    QTest::newRow("letter case counts when asked")
        << "*ALP*" << wildcard << Qt::CaseSensitive << QByteArray() << QStringList();
    QTest::newRow("a match anywhere in the name")
        << "*.xls" << wildcard << Qt::CaseInsensitive << QByteArray("fileName") << QStringList { "list.xlsx" };
    QTest::newRow("json files") << "*.json" << wildcard << Qt::CaseInsensitive << QByteArray("fileName")
                                << QStringList { "AlpineStart.json", "Rally.json" };
    QTest::newRow("expression on one role") << "^R" << SortFilterProxyModel::RegExp << Qt::CaseSensitive
                                            << QByteArray("fileName") << QStringList { "Rally.json" };
    QTest::newRow("fixed text") << "t.t" << SortFilterProxyModel::FixedString << Qt::CaseSensitive << QByteArray()
                                << QStringList();
    QTest::newRow("fixed text with a point") << "s.t" << SortFilterProxyModel::FixedString << Qt::CaseSensitive
                                             << QByteArray() << QStringList { "notes.txt" };
    QTest::newRow("a role the listing lacks")
        << "*.json" << wildcard << Qt::CaseInsensitive << QByteArray("fileSize") << QStringList();
}

void TestFileChooserModels::filterPatterns()
{
    QFETCH(QString, pattern);
    QFETCH(SortFilterProxyModel::FilterSyntax, syntax);
    QFETCH(Qt::CaseSensitivity, sensitivity);
    QFETCH(QByteArray, role);
    QFETCH(QStringList, shown);

    Listing listing({ "AlpineStart.json", "Rally.json", "lost+found", "list.xlsx", "notes.txt" });
    FileSystemProxyModel proxy;
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    proxy.classBegin();
    proxy.setSource(&listing);
    proxy.setFilterRoleName(role);
    proxy.setFilterCaseSensitivity(sensitivity);
    proxy.setFilterSyntax(syntax);
    proxy.setFilterString(pattern);
    proxy.componentComplete();
    QCOMPARE(proxy.filterString(), pattern);
    QCOMPARE(proxy.filterSyntax(), syntax);
    // "lost+found" is never shown, whatever the filter.
    QCOMPARE(shownNames(proxy), shown);
    QCOMPARE(proxy.count(), shown.size());
}

void TestFileChooserModels::countFollowsRows()
{
    Listing listing;
    FileSystemProxyModel proxy;
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy spy(&proxy, &SortFilterProxyModel::countChanged);
    proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy.setFilterSyntax(SortFilterProxyModel::Wildcard);
    proxy.setFilterString(QStringLiteral("*.json"));
    proxy.setSource(&listing);
    proxy.componentComplete();
    QCOMPARE(proxy.count(), 0);

    spy.clear();
    listing.add(QStringLiteral("a.json"));
    QCOMPARE(proxy.count(), 1);
    QCOMPARE(spy.count(), 1);
    listing.add(QStringLiteral("b.txt"));
    QCOMPARE(proxy.count(), 1);
    QCOMPARE(spy.count(), 1);
    listing.add(QStringLiteral("B.JSON"));
    QCOMPARE(proxy.count(), 2);
    QCOMPARE(spy.count(), 2);
    listing.removeRow(0);
    QCOMPARE(proxy.count(), 1);
    QCOMPARE(spy.count(), 3);
    proxy.setFilterString(QString());
    QCOMPARE(proxy.count(), 2);
    QVERIFY(spy.count() >= 4);
}

void TestFileChooserModels::rowObjects()
{
    QQmlEngine engine;
    Listing listing({ "a.json", "b.json" });
    FileSystemProxyModel proxy;
    QQmlEngine::setContextForObject(&proxy, engine.rootContext());
    proxy.setSource(&listing);
    proxy.componentComplete();

    const QJSValue first = proxy.get(0);
    QCOMPARE(first.property("fileName").toString(), QStringLiteral("a.json"));
    QCOMPARE(first.property("filePath").toString(), QStringLiteral("/data/Custom/a.json"));
    QCOMPARE(first.property("fileSuffix").toString(), QStringLiteral("json"));
    for (int index : { -1, 2 }) {
        const QJSValue outside = proxy.get(index);
        QVERIFY(outside.isObject());
        QVERIFY(!outside.hasProperty("fileName"));
    }
    QCOMPARE(proxy.roleKey("filePath"), kFilePath);
    QCOMPARE(proxy.roleKey("none"), -1);

    // Without an engine there is no script object to give.
    FileSystemProxyModel bare;
    bare.setSource(&listing);
    QVERIFY(bare.get(0).isUndefined());
}

void TestFileChooserModels::roleNamesTakeEffectAtCompletion()
{
    Listing listing({ "b.json", "c.json", "a.json" });
    SortFilterProxyModel proxy;
    proxy.classBegin();
    proxy.setSortRoleName("fileName");
    proxy.setFilterRoleName("fileName");
    proxy.setSource(&listing);
    QCOMPARE(proxy.sortRole(), int(Qt::DisplayRole));
    QCOMPARE(proxy.filterRole(), int(Qt::DisplayRole));
    proxy.componentComplete();
    QCOMPARE(proxy.sortRole(), kFileName);
    QCOMPARE(proxy.filterRole(), kFileName);

    proxy.setSortOrder(Qt::DescendingOrder);
    QCOMPARE(shownNames(proxy), (QStringList { "c.json", "b.json", "a.json" }));
    proxy.setSortRoleName("filePath");
    QCOMPARE(proxy.sortRole(), kFilePath);
    proxy.setSortOrder(Qt::AscendingOrder);
    QCOMPARE(shownNames(proxy), (QStringList { "a.json", "b.json", "c.json" }));
    QCOMPARE(proxy.sortOrder(), Qt::AscendingOrder);
}

void TestFileChooserModels::sourceMustBeAModel()
{
    SortFilterProxyModel proxy;
    QObject notAModel;
    proxy.setSource(&notAModel);
    QVERIFY(!proxy.source());
    QVERIFY(proxy.roleNames().isEmpty());
    QCOMPARE(proxy.roleKey("fileName"), -1);
    QCOMPARE(proxy.count(), 0);
    Listing listing({ "a.json" });
    proxy.setSource(&listing);
    QCOMPARE(proxy.source(), &listing);
    QCOMPARE(proxy.roleNames().value(kFileName), QByteArray("fileName"));
}

void TestFileChooserModels::readableFolderNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("shown");
    QTest::newRow("internal memory") << "config"
                                     << "/tmp/media"
                                     << "Vantor Configurations Folder";
    QTest::newRow("USB stick") << "usbhd-sda1"
                               << "/tmp/media"
                               << "USB Flash Drive";
    QTest::newRow("letter case counts") << "Config"
                                        << "/tmp/media"
                                        << "Config";
    QTest::newRow("elsewhere") << "config"
                               << "/home/race"
                               << "config";
    QTest::newRow("desktop file") << "list.json"
                                  << "/data/Custom"
                                  << "list.json";
}

void TestFileChooserModels::readableFolderNames()
{
    QFETCH(QString, name);
    QFETCH(QString, folder);
    QFETCH(QString, shown);
    Listing listing({ name }, folder);
    FileSystemProxyModel proxy;
    proxy.setSource(&listing);
    const QModelIndex index = proxy.index(0, 0);
    QCOMPARE(proxy.data(index, kFileName).toString(), shown);
    QCOMPARE(proxy.data(index, kFilePath).toString(), folder + '/' + name);
    QVERIFY(!proxy.data(QModelIndex(), kFileName).isValid());
    QCOMPARE(proxy.convertPathString(name, QVariant()), QVariant(name));
    QVERIFY(!proxy.convertPathString(QVariant(), folder).isValid());
}

VANTOR_TEST_CLASS(TestFileChooserModels)
#include "tst_filechoosermodels.moc"
