#include "testmain.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <memory>
#include <utility>

namespace TestSupport {

namespace {
std::vector<std::pair<QString, Factory>>& registry()
{
    static std::vector<std::pair<QString, Factory>> classes;
    return classes;
}
} // namespace

int registerTestClass(const char* name, Factory factory)
{
    registry().emplace_back(QString::fromLatin1(name), std::move(factory));
    return int(registry().size());
}

QString testRoot()
{
    const QString root = qEnvironmentVariable("VANTOR_TEST_ROOT");
    return root.isEmpty() ? QDir::tempPath() : root;
}

int runAll(int argc, char** argv)
{
    // "-class Name" runs only that class; other arguments go to QtTest.
    QString only;
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        if (QString::fromLocal8Bit(argv[i]) == QLatin1String("-class") && i + 1 < argc)
            only = QString::fromLocal8Bit(argv[++i]);
        else
            arguments << QString::fromLocal8Bit(argv[i]);
    }
    // Classes run in name order, so the order does not depend on how the program was linked.
    auto classes = registry();
    std::sort(classes.begin(), classes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    int failures = 0;
    for (const auto& [name, factory] : classes) {
        if (!only.isEmpty() && name != only)
            continue;
        std::unique_ptr<QObject> test(factory());
        failures += QTest::qExec(test.get(), arguments) != 0 ? 1 : 0;
    }
    return failures;
}

} // namespace TestSupport

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    app.setOrganizationName(QStringLiteral("Velmora"));
    app.setApplicationName(QStringLiteral("Vantor"));
    return TestSupport::runAll(argc, argv);
}
