#include "enginerig.h"

#include "core/utils.h"
#include "sequence/displayboardenum.h"
#include "time/datetime.h"

#include <QJsonArray>
#include <QRegularExpression>

using namespace Vl::Tavix3::UI;

namespace {

QString colourName(SemaEnum::SemaColor colour)
{
    switch (colour) {
    case SemaEnum::SEMA_COLOR_OFF:
        return QStringLiteral("OFF");
    case SemaEnum::SEMA_COLOR_RED:
        return QStringLiteral("RED");
    case SemaEnum::SEMA_COLOR_YELLOW:
        return QStringLiteral("YELLOW");
    case SemaEnum::SEMA_COLOR_GREEN:
        return QStringLiteral("GREEN");
    case SemaEnum::SEMA_COLOR_PIXEL:
        return QStringLiteral("PIXEL");
    case SemaEnum::SEMA_COLOR_YELLOW_PIXEL:
        return QStringLiteral("YELLOW_PIXEL");
    case SemaEnum::SEMA_COLOR_ALL:
        return QStringLiteral("ALL");
    default:
        return QStringLiteral("NONE");
    }
}

// Seconds with a sign, whole or with tenths: "-10", "0", "-1.5".
QString seconds(qint64 ticks, bool tenths)
{
    if (!tenths)
        return QString::number(ticks / EngineRig::kSecond);
    const qint64 tenthCount = ticks / 5000;
    const QString sign = tenthCount < 0 ? QStringLiteral("-") : QString();
    const qint64 magnitude = tenthCount < 0 ? -tenthCount : tenthCount;
    return sign + QString::number(magnitude / 10) + QLatin1Char('.') + QString::number(magnitude % 10);
}

} // namespace

qint64 EngineRig::day() { return DateTime::dateToTicks(DateParts { 10, 3, 2026 }); }

qint64 EngineRig::at(const QString& timeOfDay)
{
    const QStringList parts = timeOfDay.split(QRegularExpression(QStringLiteral("[:.]")));
    const qint64 h = parts.value(0).toLongLong();
    const qint64 m = parts.value(1).toLongLong();
    const qint64 s = parts.value(2).toLongLong();
    const qint64 ms = parts.value(3).toLongLong();
    return day() + ((h * 60 + m) * 60 + s) * kSecond + ms * kMs;
}

QString EngineRig::stamp(qint64 ticks)
{
    qint64 t = ticks - day();
    const qint64 ms = t % kSecond / kMs;
    t /= kSecond;
    return QStringLiteral("%1:%2:%3.%4")
        .arg(t / 3600, 2, 10, QLatin1Char('0'))
        .arg(t / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(t % 60, 2, 10, QLatin1Char('0'))
        .arg(ms, 3, 10, QLatin1Char('0'));
}

EngineRig::EngineRig() = default;

std::shared_ptr<EngineRig> EngineRig::create(const QString& startTime)
{
    std::shared_ptr<EngineRig> rig(new EngineRig());
    rig->m_now = at(startTime);
    EngineRig* clock = rig.get();
    DateTime::setClock([clock]() { return clock->m_now.load(); });
    rig->m_sema = std::make_unique<Sema>();
    rig->m_sema->setDisplayboard(&rig->m_board);
    // The engine does not own the rig: the rig owns the engine.
    const std::shared_ptr<EngineRig> outlets(rig.get(), [](EngineRig*) {});
    SemaPorts ports;
    ports.board = outlets;
    ports.tones = outlets;
    ports.remote = outlets;
    ports.eventsLog = outlets;
    ports.messages = outlets;
    ports.jobs = outlets;
    ports.application = outlets;
    rig->m_sema->setPorts(ports);
    return rig;
}

EngineRig::~EngineRig()
{
    // Jobs left queued would make the engine wait for them.
    m_holdJobs = false;
    runJobs();
    m_sema.reset();
    DateTime::setClock(nullptr);
}

void EngineRig::record(const QString& text)
{
    QMutexLocker locker(&m_traceMutex);
    m_trace.append({ m_now, text });
}

void EngineRig::clearTrace()
{
    QMutexLocker locker(&m_traceMutex);
    m_trace.clear();
}

void EngineRig::tick()
{
    m_sema->sequenceTick(0);
    if (!m_holdJobs)
        runJobs();
}

void EngineRig::runUntil(qint64 ticks)
{
    const qint64 step = 10 * kMs;
    while (m_now + step <= ticks) {
        m_now += step;
        m_timer.countDown();
        if ((m_now - day()) % (100 * kMs) == 0)
            tick();
    }
    m_now = ticks;
}

void EngineRig::runJobs()
{
    for (;;) {
        std::function<void()> job;
        {
            QMutexLocker locker(&m_traceMutex);
            if (m_jobs.isEmpty())
                return;
            job = m_jobs.takeFirst();
        }
        job();
    }
}

void EngineRig::startAuto(int type, const QString& startTime, qint64 repetitionTicks)
{
    m_sema->setSequenceType(SemaEnum::SemaSequenceType(type));
    m_sema->setSequenceMode(SemaEnum::SEQUENCE_MODE_AUTO);
    m_sema->setStartDate(QVariant(qlonglong(day())));
    m_sema->setStartTime(QVariant(qlonglong(at(startTime) - day())));
    m_sema->setRepetitionTime(QVariant(qlonglong(repetitionTicks)));
    m_sema->setSequenceStatus(true);
    if (!m_holdJobs)
        runJobs();
}

EntityPtr<Event> EngineRig::sendEvent(qint64 ticks, int channel, bool isFalling)
{
    const auto event = EntityPtr<Event>::create();
    event->ticks = ticks;
    event->physicalChannel = channel;
    m_sema->onEventReceived(QVariant::fromValue(event), isFalling);
    if (!m_holdJobs)
        runJobs();
    return event;
}

QStringList EngineRig::trace(const QStringList& prefixes) const
{
    QMutexLocker locker(&m_traceMutex);
    QStringList result;
    for (const auto& entry : m_trace) {
        for (const QString& prefix : prefixes) {
            if (entry.second.startsWith(prefix)) {
                result << stamp(entry.first) + QLatin1Char(' ') + entry.second;
                break;
            }
        }
    }
    return result;
}

QStringList EngineRig::texts(const QStringList& prefixes) const
{
    QMutexLocker locker(&m_traceMutex);
    QStringList result;
    for (const auto& entry : m_trace) {
        for (const QString& prefix : prefixes) {
            if (entry.second.startsWith(prefix)) {
                result << entry.second;
                break;
            }
        }
    }
    return result;
}

QList<QJsonObject> EngineRig::statusMessages() const
{
    QMutexLocker locker(&m_traceMutex);
    QList<QJsonObject> result;
    for (const auto& entry : m_trace) {
        if (entry.second.startsWith(QLatin1String("status ")))
            result << QJsonDocument::fromJson(entry.second.mid(7).toUtf8()).object();
    }
    return result;
}

// ---- SemaBoard: recorded, then drawn on a real board ----

void EngineRig::reset(bool sendPixels)
{
    record(sendPixels ? QStringLiteral("reset+send") : QStringLiteral("reset"));
    m_board.reset(sendPixels);
}

void EngineRig::drawSemaLights(SemaEnum::VisualizationMode mode, bool timeOfDayShown, SemaEnum::SemaColor colour,
    int pixelCount, bool deltaShown, bool isOff)
{
    QString text = QStringLiteral("lights ") + colourName(colour);
    if (pixelCount > 0)
        text += QStringLiteral(" dots %1").arg(pixelCount);
    record(text);
    m_board.drawSemaLights(mode, timeOfDayShown, colour, pixelCount, deltaShown, isOff);
}

void EngineRig::drawSemaTime(SemaEnum::VisualizationMode mode, bool timeOfDayShown, boost::optional<qint64> time,
    bool deltaShown, SemaEnum::SemaColor colour, boost::optional<int> bib)
{
    if (!time)
        record(QStringLiteral("time -"));
    else if (deltaShown)
        record(QStringLiteral("delta ") + seconds(*time, true));
    else
        record(QStringLiteral("time ") + seconds(*time, false));
    m_board.drawSemaTime(mode, timeOfDayShown, time, deltaShown, colour, bib);
}

void EngineRig::drawSemaText(
    SemaEnum::VisualizationMode mode, bool timeOfDayShown, const QString& text, SemaEnum::SemaColor colour)
{
    record(QStringLiteral("text ") + text);
    m_board.drawSemaText(mode, timeOfDayShown, text, colour);
}

void EngineRig::drawTimeOfDay(const QString& text)
{
    record(QStringLiteral("tod ") + text.trimmed());
    // Where the board puts it for the application's menu and colour, here the rig's: the board
    // would ask the application object, which the rig has not.
    m_board.drawText(1, inTimingMenu ? 0 : 4, text, displayboardTimeColor(), DisplayboardEnum::DISP_COLOR_OFF,
        DisplayboardEnum::DISP_FONT_SMALL, false);
}

void EngineRig::drawText(int x, int y, const QString& text, int foreground, int background, int font, bool send)
{
    record(QStringLiteral("draw %1,%2 %3").arg(x).arg(y).arg(text));
    m_board.drawText(x, y, text, foreground, background, font, send);
}

void EngineRig::fillRect(int x, int y, int width, int height, int colour, bool send)
{
    record(QStringLiteral("fill %1,%2,%3,%4").arg(x).arg(y).arg(width).arg(height));
    m_board.fillRect(x, y, width, height, colour, send);
}

void EngineRig::clearTextArea(bool timeOfDayShown)
{
    record(QStringLiteral("clear"));
    m_board.clearTextArea(timeOfDayShown);
}

bool EngineRig::sendPixels(qint64 time)
{
    const bool sent = m_board.sendPixels(time);
    if (sent)
        record(QStringLiteral("publish"));
    return sent;
}

void EngineRig::fillRed()
{
    record(QStringLiteral("red"));
    m_board.fillRed();
}

void EngineRig::fillGreen()
{
    record(QStringLiteral("green"));
    m_board.fillGreen();
}

void EngineRig::fillBlue()
{
    record(QStringLiteral("blue"));
    m_board.fillBlue();
}

void EngineRig::fillSingleDrivers(int driverIndex)
{
    record(QStringLiteral("drivers %1").arg(driverIndex));
    m_board.fillSingleDrivers(driverIndex);
}

// ---- The other outlets ----

void EngineRig::playTone(uint frequencyHz, uint durationMs)
{
    record(QStringLiteral("tone %1 %2").arg(frequencyHz).arg(durationMs));
}

static QString eventWords(const Event& event)
{
    QString text = QStringLiteral("ch%1 %2").arg(event.physicalChannel).arg(EngineRig::stamp(event.ticks));
    if (event.isSkipped)
        text += QStringLiteral(" skipped");
    if (event.isScartIn)
        text += QStringLiteral(" scart");
    return text;
}

void EngineRig::sendEvent(const EntityPtr<Event>& event)
{
    QString text = QStringLiteral("event ") + eventWords(*event)
        + QStringLiteral(" bib%1").arg(event->bibNumber ? QString::number(*event->bibNumber) : QStringLiteral("-"));
    if (event->isAuto)
        text += QStringLiteral(" auto");
    record(text);
}

void EngineRig::sendStatusText(const QString& framedMessage)
{
    QString type;
    QString section;
    QString id;
    QJsonArray data;
    QString body = framedMessage;
    if (body.startsWith(QChar(0x09)) && body.endsWith(QChar(0x02)))
        body = body.mid(1, body.size() - 2);
    if (!Utils::parseJsonData(body, type, section, id, data) || type != QLatin1String("Sema")
        || section != QLatin1String("Status") || data.size() != 1) {
        record(QStringLiteral("status-malformed ") + framedMessage);
        return;
    }
    record(QStringLiteral("status ")
        + QString::fromUtf8(QJsonDocument(data.at(0).toObject()).toJson(QJsonDocument::Compact)));
}

void EngineRig::writeEventRecord(const EntityPtr<Event>& event) { record(QStringLiteral("log ") + eventWords(*event)); }

void EngineRig::showInfoMessage(const QString& text, int, const QString&) { record(QStringLiteral("info ") + text); }

void EngineRig::showMessageBox(const QString& text, int) { record(QStringLiteral("box ") + text); }

bool EngineRig::confirm(const QString& text)
{
    record(QStringLiteral("confirm ") + text);
    return confirmAnswer;
}

void EngineRig::run(std::function<void()> job)
{
    QMutexLocker locker(&m_traceMutex);
    m_jobs.append(std::move(job));
}

void EngineRig::applySynchroAtTime(boost::optional<qint64> ticks, bool)
{
    record(ticks ? QStringLiteral("synchro ") + stamp(*ticks).left(8) : QStringLiteral("synchro -"));
}

void EngineRig::setRepetitionTimeIndex(int index)
{
    repetitionTimeIndexValue = index % 3;
    if (onRepetitionTimeIndex)
        onRepetitionTimeIndex(repetitionTimeIndexValue);
}
