// Every use the screens make of the C++ objects is one QML can make: each call names an invokable
// method, slot or signal, each assignment a writable property, each read a member, each
// Connections handler a signal, and each enumeration key a key of that type. QML itself only
// finds out when the line runs, with a warning in the log and the operator's action lost.
#include "app/application.h"
#include "core/orvaneenum.h"
#include "core/utils.h"
#include "device/gpsenum.h"
#include "events/eventgenerator.h"
#include "mainwindowfixture.h"
#include "remote/serialenum.h"
#include "sequence/displayboardenum.h"
#include "sequence/semaenum.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"

#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QJSValue>
#include <QJSValueIterator>
#include <QMetaEnum>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QRegularExpression>
#include <QTest>

using namespace Vl::Tavix3::UI;

namespace {

// The objects of the root context the screens use, by name.
const char* const kContextObjects[] = { "application", "sema", "displayboard", "keyEmitter", "infoBarMessage",
    "eventGenerator", "messageBox", "systemHw", "gps", "serial", "serialPathFinder" };

// One use of a member in a QML or JavaScript file.
struct Use
{
    enum class Kind { Read, Call, Write };
    QString owner;
    QString member;
    Kind kind;
    QString where; // file:line
};

// The text with comments blanked out (line breaks kept, so line numbers stay right).
QString withoutComments(const QString& text)
{
    QString result = text;
    static const QRegularExpression comments(QStringLiteral(R"(//[^\n]*|/\*.*?\*/)"),
        QRegularExpression::DotMatchesEverythingOption);
    QRegularExpressionMatchIterator it = comments.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        for (int i = match.capturedStart(); i < match.capturedEnd(); ++i) {
            if (result.at(i) != QLatin1Char('\n'))
                result[i] = QLatin1Char(' ');
        }
    }
    return result;
}

QString location(const QString& file, const QString& text, int offset)
{
    return file + QLatin1Char(':') + QString::number(text.leftRef(offset).count(QLatin1Char('\n')) + 1);
}

// The QML and JavaScript files of the program's resources.
QStringList screenSources()
{
    QStringList files;
    QDirIterator it(QStringLiteral(":/"), QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.startsWith(QLatin1String(":/qt-project.org")))
            continue;
        if (path.endsWith(QLatin1String(".qml")) || path.endsWith(QLatin1String(".js")))
            files << path;
    }
    files.sort();
    return files;
}

QList<Use> usesIn(const QString& file, const QString& text, const QStringList& owners)
{
    QList<Use> uses;
    const QRegularExpression pattern(QStringLiteral(R"((?<![\w.])(%1)\.([A-Za-z_]\w*)(\s*\()?(\s*=(?!=))?)")
            .arg(owners.join(QLatin1Char('|'))));
    QRegularExpressionMatchIterator it = pattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        Use::Kind kind = Use::Kind::Read;
        if (!match.captured(3).isEmpty())
            kind = Use::Kind::Call;
        else if (!match.captured(4).isEmpty())
            kind = Use::Kind::Write;
        uses.append({ match.captured(1), match.captured(2), kind, location(file, text, match.capturedStart()) });
    }
    return uses;
}

// The handlers of every Connections block: its target and the signal each handler names.
QList<Use> connectionHandlersIn(const QString& file, const QString& text)
{
    QList<Use> uses;
    static const QRegularExpression block(QStringLiteral(R"(\bConnections\s*\{)"));
    static const QRegularExpression target(QStringLiteral(R"(\btarget\s*:\s*([A-Za-z_]\w*)\s*$)"),
        QRegularExpression::MultilineOption);
    static const QRegularExpression handler(QStringLiteral(R"(\bfunction\s+on([A-Z]\w*)\s*\()"));
    QRegularExpressionMatchIterator it = block.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        int depth = 1;
        int end = match.capturedEnd();
        for (; end < text.size() && depth > 0; ++end) {
            if (text.at(end) == QLatin1Char('{'))
                ++depth;
            else if (text.at(end) == QLatin1Char('}'))
                --depth;
        }
        const QString body = text.mid(match.capturedEnd(), end - match.capturedEnd());
        const QString owner = target.match(body).captured(1);
        QRegularExpressionMatchIterator handlers = handler.globalMatch(body);
        while (handlers.hasNext()) {
            const QRegularExpressionMatch found = handlers.next();
            QString signal = found.captured(1);
            signal[0] = signal.at(0).toLower();
            uses.append({ owner, signal, Use::Kind::Call,
                location(file, text, match.capturedEnd() + found.capturedStart()) });
        }
    }
    return uses;
}

bool hasMethod(const QMetaObject* meta, const QString& name, bool signalOnly)
{
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (QString::fromLatin1(method.name()) != name || method.access() != QMetaMethod::Public)
            continue;
        if (!signalOnly || method.methodType() == QMetaMethod::Signal)
            return true;
    }
    return false;
}

// Why QML cannot make this use of the object; empty when it can.
QString fault(const QMetaObject* meta, const Use& use)
{
    const int property = meta->indexOfProperty(use.member.toLatin1().constData());
    switch (use.kind) {
    case Use::Kind::Call:
        return hasMethod(meta, use.member, false) ? QString() : QStringLiteral("is no invokable method, slot or signal");
    case Use::Kind::Write:
        return property >= 0 && meta->property(property).isWritable() ? QString()
                                                                      : QStringLiteral("is no writable property");
    case Use::Kind::Read:
        return property >= 0 || hasMethod(meta, use.member, false) ? QString() : QStringLiteral("is no member");
    }
    return QString();
}

bool isEnumKey(const QMetaObject* meta, const QString& key)
{
    for (int i = 0; i < meta->enumeratorCount(); ++i) {
        bool found = false;
        meta->enumerator(i).keyToValue(key.toLatin1().constData(), &found);
        if (found)
            return true;
    }
    return false;
}

} // namespace

class TestQmlCalls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void screensFindTheirSources();
    void everyUseOfAnObjectIsOneQmlCanMake();
    void connectionsNameSignals();
    void enumerationKeysExist();
    void everyFileNamedExists();
    void settingsWriteWritableProperties();

private:
    std::unique_ptr<MainWindowFixture> m_fixture;
    QHash<QString, const QMetaObject*> m_objects;
    QHash<QString, QString> m_sources; // file -> text without comments
};

void TestQmlCalls::initTestCase()
{
    m_fixture = std::make_unique<MainWindowFixture>();
    QQmlContext* context = m_fixture->app()->engine()->rootContext();
    for (const char* name : kContextObjects) {
        if (QObject* object = context->contextProperty(QString::fromLatin1(name)).value<QObject*>())
            m_objects.insert(QString::fromLatin1(name), object->metaObject());
    }
    // The ids main.qml gives its helper objects.
    m_objects.insert(QStringLiteral("utils"), &Utils::staticMetaObject);
    m_objects.insert(QStringLiteral("dateTimeUtil"), &DateTime::staticMetaObject);
    for (const QString& file : screenSources()) {
        QFile source(file);
        QVERIFY(source.open(QIODevice::ReadOnly));
        m_sources.insert(file, withoutComments(QString::fromUtf8(source.readAll())));
    }
}

void TestQmlCalls::cleanupTestCase() { m_fixture.reset(); }

void TestQmlCalls::screensFindTheirSources()
{
    QVERIFY(m_sources.contains(QStringLiteral(":/main.qml")));
    QVERIFY(m_sources.contains(QStringLiteral(":/menu/HandleSequence.qml")));
    for (const char* name : kContextObjects) {
        if (qstrcmp(name, "serialPathFinder") != 0)
            QVERIFY2(m_objects.contains(QString::fromLatin1(name)), name);
    }
}

void TestQmlCalls::everyUseOfAnObjectIsOneQmlCanMake()
{
    QStringList owners = m_objects.keys();
    owners << QStringLiteral("serialPathFinder");
    owners.removeDuplicates();
    QStringList faults;
    QStringList seen;
    for (auto it = m_sources.cbegin(); it != m_sources.cend(); ++it) {
        for (const Use& use : usesIn(it.key(), it.value(), owners)) {
            seen << use.owner + QLatin1Char('.') + use.member;
            const QMetaObject* meta = m_objects.value(use.owner);
            const QString why = meta ? fault(meta, use) : QStringLiteral("has no object");
            if (!why.isEmpty())
                faults << use.where + QStringLiteral(": ") + use.owner + QLatin1Char('.') + use.member + QLatin1Char(' ')
                        + why;
        }
    }
    // The scan sees the calls of the run screen's start icon.
    QVERIFY(seen.contains(QStringLiteral("sema.setActivationTime")));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestQmlCalls::connectionsNameSignals()
{
    QStringList faults;
    QStringList seen;
    for (auto it = m_sources.cbegin(); it != m_sources.cend(); ++it) {
        for (const Use& use : connectionHandlersIn(it.key(), it.value())) {
            // Connections on QML items of the screens themselves are QML's own business.
            const QMetaObject* meta = m_objects.value(use.owner);
            if (!meta)
                continue;
            seen << use.owner + QLatin1Char('.') + use.member;
            if (!hasMethod(meta, use.member, true))
                faults << use.where + QStringLiteral(": ") + use.owner + QStringLiteral(" has no signal ") + use.member;
        }
    }
    QVERIFY(seen.contains(QStringLiteral("sema.semaTimeChanged")));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestQmlCalls::enumerationKeysExist()
{
    const QHash<QString, const QMetaObject*> types {
        { QStringLiteral("OrvaneEnum"), &OrvaneEnum::staticMetaObject },
        { QStringLiteral("SemaEnum"), &SemaEnum::staticMetaObject },
        { QStringLiteral("GPSEnum"), &GPSEnum::staticMetaObject },
        { QStringLiteral("DisplayboardEnum"), &DisplayboardEnum::staticMetaObject },
        { QStringLiteral("SerialEnum"), &SerialEnum::staticMetaObject },
        { QStringLiteral("EventGenerator"), &EventGenerator::staticMetaObject },
        { QStringLiteral("DateTimeUtil"), &DateTime::staticMetaObject },
    };
    QStringList faults;
    QStringList seen;
    for (auto it = m_sources.cbegin(); it != m_sources.cend(); ++it) {
        for (const Use& use : usesIn(it.key(), it.value(), types.keys())) {
            seen << use.owner + QLatin1Char('.') + use.member;
            // A type name reaches only its enumeration keys.
            if (use.kind != Use::Kind::Read || !isEnumKey(types.value(use.owner), use.member))
                faults << use.where + QStringLiteral(": ") + use.owner + QLatin1Char('.') + use.member
                        + QStringLiteral(" is no enumeration key");
        }
    }
    QVERIFY(seen.contains(QStringLiteral("DateTimeUtil.QMIN1")));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

// Every screen, model, script and image the QML names by its resource address is in the program:
// a missing one would open nothing when the operator asks for it.
void TestQmlCalls::everyFileNamedExists()
{
    // Full addresses, and the screens that menu entries name relative to the menu folder.
    const QList<QPair<QRegularExpression, QString>> patterns {
        { QRegularExpression(QStringLiteral("\"qrc:(/[^\"]+\\.\\w+)\"")), QStringLiteral(":") },
        { QRegularExpression(QStringLiteral("\"([A-Z]\\w*\\.qml)\"")), QStringLiteral(":/menu/") },
    };
    QStringList missing;
    QStringList seen;
    for (auto it = m_sources.cbegin(); it != m_sources.cend(); ++it) {
        for (const auto& pattern : patterns) {
            QRegularExpressionMatchIterator found = pattern.first.globalMatch(it.value());
            while (found.hasNext()) {
                const QRegularExpressionMatch match = found.next();
                const QString path = pattern.second + match.captured(1);
                seen << path;
                if (!QFile::exists(path))
                    missing << location(it.key(), it.value(), match.capturedStart()) + QStringLiteral(": ") + path;
            }
        }
    }
    QVERIFY(seen.contains(QStringLiteral(":/menu/HandleSequence.qml")));
    QVERIFY(seen.contains(QStringLiteral(":/menu/Export.qml")));
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
}

// The settings screen writes each setting by its name on its owner.
void TestQmlCalls::settingsWriteWritableProperties()
{
    QQuickItem* screen = m_fixture->openScreen(
        QStringLiteral("qrc:/menu/Settings.qml"), { { QStringLiteral("formParam"), QStringLiteral("GENERAL") } });
    QVERIFY(screen);
    const QJSValue owners = screen->property("owners").value<QJSValue>();
    QJSValueIterator it(owners);
    QStringList faults;
    QStringList seen;
    while (it.hasNext()) {
        it.next();
        seen << it.name();
        const QObject* owner = it.value().toQObject();
        const int index = owner ? owner->metaObject()->indexOfProperty(it.name().toLatin1().constData()) : -1;
        if (index < 0 || !owner->metaObject()->property(index).isWritable())
            faults << it.name();
    }
    m_fixture->menuPressed();
    QVERIFY(seen.contains(QStringLiteral("repetitionTime3")));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral(", "))));
}

VANTOR_TEST_CLASS(TestQmlCalls)
#include "tst_qmlcalls.moc"
