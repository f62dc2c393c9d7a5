#include "app/application.h"
#include "core/orvaneenum.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using TestSupport::ApplicationFixture;
using Vl::Tavix3::UI::Application;
using Vl::Tavix3::UI::OrvaneEnum;

namespace {
QString translated(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source);
}
} // namespace

// Switching the language at run time, the catalogue override, and the format patterns.
class TestLanguages : public QObject
{
    Q_OBJECT

private slots:
    void init() { ApplicationFixture::clearSettings(); }
    void switchesCatalogues_data();
    void switchesCatalogues();
    void germanCatalogueInWorkingDirectoryWins();
    void formatPatterns_data();
    void formatPatterns();
    void buildDate_data();
    void buildDate();
};

void TestLanguages::switchesCatalogues_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("done");
    QTest::addColumn<QString>("sure");
    QTest::newRow("Italian") << int(OrvaneEnum::LANGUAGE_ITA) << "FATTO!" << "Sicuro?";
    QTest::newRow("German") << int(OrvaneEnum::LANGUAGE_DEU) << "FERTIG!" << "Sind Sie sicher?";
    QTest::newRow("English") << int(OrvaneEnum::LANGUAGE_ENG) << "DONE!" << "Are you sure?";
}

void TestLanguages::switchesCatalogues()
{
    QFETCH(int, language);
    ApplicationFixture app;
    app->setCurrentLanguage(OrvaneEnum::LANGUAGE_ITA);
    QSignalSpy changed(app.get(), &Application::currentLanguageChanged);
    app->setCurrentLanguage(OrvaneEnum::LANGUAGE_DEU);  // from Italian to German and back again
    app->setCurrentLanguage(language);
    QTEST(translated("Vl::Tavix3::UI::Application", "DONE!"), "done");
    QTEST(translated("Vl::Tavix3::UI::MsgBox", "Are you sure?"), "sure");
    QVERIFY(changed.count() >= 1);
    app->setCurrentLanguage(OrvaneEnum::LANGUAGE_ENG);
    QCOMPARE(translated("Vl::Tavix3::UI::Application", "DONE!"), QStringLiteral("DONE!"));
}

void TestLanguages::germanCatalogueInWorkingDirectoryWins()
{
    // Catalogues named like the built-in ones in the working directory, with a text of their own:
    // German takes its catalogue from there, Italian only from the resources.
    QStringList placed;
    for (const char* name : {"Orvane_de_DE.qm", "Orvane_it_IT.qm"}) {
        placed << QDir::current().filePath(QString::fromLatin1(name));
        QVERIFY(QFile::copy(QStringLiteral(OVERRIDE_CATALOGUE), placed.last()));
    }
    ApplicationFixture app;
    app->setCurrentLanguage(OrvaneEnum::LANGUAGE_DEU);
    QCOMPARE(translated("Vl::Tavix3::UI::Application", "DONE!"), QStringLiteral("DONE! (working directory)"));
    app->setCurrentLanguage(OrvaneEnum::LANGUAGE_ITA);
    QCOMPARE(translated("Vl::Tavix3::UI::Application", "DONE!"), QStringLiteral("FATTO!"));
    app->setCurrentLanguage(OrvaneEnum::LANGUAGE_ENG);
    for (const QString& path : placed)
        QVERIFY(QFile::remove(path));
    QVERIFY(!app->existTranslationFile(placed.first()));
    app->setCurrentLanguage(OrvaneEnum::LANGUAGE_DEU);  // without the file, the built-in one again
    QCOMPARE(translated("Vl::Tavix3::UI::Application", "DONE!"), QStringLiteral("FERTIG!"));
}

void TestLanguages::formatPatterns_data()
{
    QTest::addColumn<int>("dateFormat");
    QTest::addColumn<int>("timeFormat");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("shown");
    QTest::newRow("day first, 24 h") << 0 << 0 << "dd/MM/yyyy HH:mm:ss" << "20/01/2025 14:05:09";
    QTest::newRow("month first, 12 h") << 1 << 1 << "MM/dd/yyyy hh:mm:ssap" << "01/20/2025 02:05:09pm";
    QTest::newRow("day first, 12 h") << 0 << 1 << "dd/MM/yyyy hh:mm:ssap" << "20/01/2025 02:05:09pm";
}

void TestLanguages::formatPatterns()
{
    QFETCH(int, dateFormat);
    QFETCH(int, timeFormat);
    ApplicationFixture app;
    QSignalSpy patternChanged(app.get(), &Application::dateTimeFormatStringChanged);
    app->setDateFormat(dateFormat);
    app->setTimeFormat(timeFormat);
    QCOMPARE(patternChanged.count(), (dateFormat != 0) + (timeFormat != 0));
    QTEST(app->dateTimeFormatString(), "pattern");
    const QDateTime when(QDate(2025, 1, 20), QTime(14, 5, 9));
    QTEST(QLocale::c().toString(when, app->dateTimeFormatString()), "shown");
}

void TestLanguages::buildDate_data()
{
    QTest::addColumn<int>("dateFormat");
    QTest::addColumn<QString>("date");
    QTest::newRow("day first") << 0 << "20/01/2025";
    QTest::newRow("month first") << 1 << "01/20/2025";
}

void TestLanguages::buildDate()
{
    QFETCH(int, dateFormat);
    ApplicationFixture app;
    app->setDateFormat(dateFormat);
    QTEST(app->getAppBuildDate(), "date");
    QCOMPARE(app->getVersionNumber(), QStringLiteral("1.2.34"));
}

VANTOR_TEST_CLASS(TestLanguages)
#include "tst_languages.moc"
