#include "app/datetime.h"

#include "app/application.h"
#include "app/orvaneenum.h"
#include "app/sharedapplication.h"

namespace Vl::Orvane::UI {

namespace {

using Vl::Common::TickTime;

// The test clock, when one is set (TestVantor runs on one thread).
DateTime::ClockSource s_clock;

} // namespace

void DateTime::setClock(ClockSource clock) { s_clock = std::move(clock); }

qlonglong DateTime::getDateTime()
{
    const qint64 ticks = s_clock ? s_clock() : QDateTime::currentMSecsSinceEpoch() * QMIL1;
    return ticks / QDMIL1 * QDMIL1;
}

qlonglong DateTime::localDate(qlonglong dateTime)
{
    const QDate date = QDateTime::fromMSecsSinceEpoch(dateTime / QMIL1, Qt::UTC).toLocalTime().date();
    return QDate(1970, 1, 1).daysTo(date) * kTicksPerDay;
}

qlonglong DateTime::qDateTimeToTicks(const QDateTime& time) { return time.toMSecsSinceEpoch() * QMIL1; }

bool DateTime::parseDate(const QString& text, qint64* ticks, char dateSeparator, QString* normalised)
{
    const int order = dateOrder();
    return TickTime::parseDate(text, ticks, dateSeparator, order, order, normalised);
}

qlonglong DateTime::stringToDateWithPoint(const QString& origText, char dateSeparator, QString* resultText)
{
    qint64 ticks = 0;
    parseDate(origText, &ticks, dateSeparator, resultText);
    return ticks;
}

qlonglong DateTime::stringToDateWithPoint(const QString& origText, const QString& dateSeparator, const QVariant&)
{
    return stringToDateWithPoint(origText, dateSeparator);
}

qlonglong DateTime::stringToDateWithPoint(const QString& origText, const QString& dateSeparator)
{
    return stringToDateWithPoint(origText, TickTime::separatorChar(dateSeparator, '/'), nullptr);
}

qlonglong DateTime::stringToDateWithPoint(const QString& origText)
{
    return stringToDateWithPoint(origText, '/', nullptr);
}

bool DateTime::checkDate(const QString& input, const QString& dateSeparator)
{
    qint64 ticks = 0;
    return parseDate(input, &ticks, TickTime::separatorChar(dateSeparator, '/'), nullptr);
}

// TestVantor's formatter shows 24-hour time only and reads five bits of blank count.
TickTime::FormatRules DateTime::formatRules(uint)
{
    TickTime::FormatRules rules;
    rules.twelveHour = false;
    rules.blankCountMask = 0x1F;
    return rules;
}

int DateTime::dateOrder()
{
    const QSharedPointer<Application> app = sharedApplication();
    return app && app->dateFormat() == OrvaneEnum::DATE_FORMAT_MM_DD_YYYY ? TickTime::kMonthFirst : TickTime::kDayFirst;
}

QString DateTime::dayWords(qint64 days) { return days < 2 ? tr("Day") : tr("Days"); }

} // namespace Vl::Orvane::UI
