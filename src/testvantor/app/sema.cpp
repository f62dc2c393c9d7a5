#include "app/sema.h"

namespace Vl::Orvane::UI {

using Vl::Tavix3::UI::semaIntervalList;
using Vl::Tavix3::UI::SemaIntervalField;

namespace {

constexpr int kRed = SemaEnum::SEMA_COLOR_RED;
constexpr int kGreen = SemaEnum::SEMA_COLOR_GREEN;
constexpr int kYellow = SemaEnum::SEMA_COLOR_YELLOW;
constexpr int kPixel = SemaEnum::SEMA_COLOR_PIXEL;
constexpr int kYellowPixel = SemaEnum::SEMA_COLOR_YELLOW_PIXEL;
constexpr int kOff = SemaEnum::SEMA_COLOR_OFF;
constexpr int kSilent = SemaEnum::NO_SEMA_SOUND;
constexpr int kBip = SemaEnum::SEMA_SOUND_BIP;
constexpr int kLongBip = SemaEnum::SEMA_SOUND_LONG_BIP;
constexpr int kLongBoop = SemaEnum::SEMA_SOUND_LONG_BOOP;

bool isEmptyValue(const QVariant& value) { return value.isNull() || value.toString().isEmpty(); }

} // namespace

Sema::Sema(QObject* parent)
    : QObject(parent)
{
    configurationAlpineSki(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    configurationNordicSki(SemaEnum::SEMA_SEQUENCE_NORDIC_SKI);
    configurationRally1(SemaEnum::SEMA_SEQUENCE_RALLY_1);
    configurationRally2(SemaEnum::SEMA_SEQUENCE_RALLY_2);
}

void Sema::setSequenceMode(SemaEnum::SemaSequenceMode value)
{
    if (value == m_sequenceMode)
        return;
    m_sequenceMode = value;
    emit sequenceModeChanged();
}

void Sema::setIsShowTimeOfDay(bool value) { m_isShowTimeOfDay = value; }

void Sema::setIsCheckFalseStart(bool value) { m_isCheckFalseStart = value; }

void Sema::setIsGenerateStart(bool value) { m_isGenerateStart = value; }

void Sema::setIsSkipOutOfWindow(bool value) { m_isSkipOutOfWindow = value; }

void Sema::setIsRestartWithNextMinute(bool value) { m_isRestartWithNextMinute = value; }

void Sema::setDelayFalseStart(int value) { m_delayFalseStart = value; }

void Sema::setOffMode(SemaEnum::SemaOffMode value)
{
    if (value == m_offMode)
        return;
    m_offMode = value;
    emit offModeChanged();
}

QVariant Sema::startTime() const { return m_startTime ? QVariant(qlonglong(*m_startTime)) : QVariant(); }

QVariant Sema::startDate() const { return m_startDate ? QVariant(qlonglong(*m_startDate)) : QVariant(); }

bool Sema::setOptionalTicks(boost::optional<qint64>& member, const QVariant& value)
{
    if (value.isNull() && !member)
        return false;
    if (!value.isNull() && member && value.toLongLong() == *member)
        return false;
    if (isEmptyValue(value))
        member = boost::none;
    else
        member = value.toLongLong();
    return true;
}

void Sema::setStartTime(const QVariant& value)
{
    if (setOptionalTicks(m_startTime, value))
        emit startTimeChanged();
}

void Sema::setStartDate(const QVariant& value)
{
    if (setOptionalTicks(m_startDate, value))
        emit startDateChanged();
}

QVariant Sema::repetitionTime() const
{
    const auto it = m_repetitionTimes.constFind(m_sequenceType);
    return it == m_repetitionTimes.constEnd() ? QVariant() : QVariant(qlonglong(*it));
}

void Sema::setRepetitionTime(const QVariant& value)
{
    if (value.isNull() && m_repetitionTimes.isEmpty())
        return;
    // Reading the current type's entry creates it, as 0, when it is absent.
    if (!value.isNull() && !m_repetitionTimes.isEmpty() && m_repetitionTimes[m_sequenceType] == value.toLongLong())
        return;
    if (isEmptyValue(value))
        m_repetitionTimes.remove(m_sequenceType);
    else
        m_repetitionTimes.insert(m_sequenceType, value.toLongLong());
    emit repetitionTimeChanged();
}

QString Sema::getStringSequenceType(int sequence) const
{
    switch (sequence) {
    case SemaEnum::SEMA_SEQUENCE_ALPINE_SKI:
        return tr("ALPINE SKI");
    case SemaEnum::SEMA_SEQUENCE_NORDIC_SKI:
        return tr("NORDIK SKI");
    case SemaEnum::SEMA_SEQUENCE_RALLY_1:
        return tr("RALLY 1");
    case SemaEnum::SEMA_SEQUENCE_RALLY_2:
        return tr("RALLY 2");
    case SemaEnum::SEMA_SEQUENCE_PERSONAL_1:
        return tr("PERSONAL 1");
    case SemaEnum::SEMA_SEQUENCE_PERSONAL_2:
        return tr("PERSONAL 2");
    case SemaEnum::SEMA_SEQUENCE_PERSONAL_3:
        return tr("PERSONAL 3");
    default:
        return QString();
    }
}

SemaInterval Sema::getInterval(int index, int sequence) const
{
    return m_intervals.value(IntervalKey(index, sequence), SemaInterval());
}

void Sema::setInterval(int index, int sequence, const SemaInterval& value)
{
    m_intervals.insert(IntervalKey(index, sequence), value);
}

void Sema::resetListInterval(int sequence)
{
    for (auto it = m_intervals.begin(); it != m_intervals.end();) {
        if (it.key().second == sequence)
            it = m_intervals.erase(it);
        else
            ++it;
    }
}

QVariantList Sema::getListInterval(int sequence) const
{
    return semaIntervalList(m_intervals, sequence, SemaIntervalField::Whole);
}

SemaInterval& Sema::intervalForEdit(int index, int sequence)
{
    // The map's operator[] adds a zero interval where none is.
    return m_intervals[IntervalKey(index, sequence)];
}

qlonglong Sema::getIntervalTime(int index, int sequence) { return intervalForEdit(index, sequence).time; }

int Sema::getIntervalColor(int index, int sequence) { return intervalForEdit(index, sequence).color; }

int Sema::getIntervalSound(int index, int sequence) { return intervalForEdit(index, sequence).sound; }

bool Sema::getIntervalIsFalseStartWindow(int index, int sequence)
{
    return intervalForEdit(index, sequence).isFalseStartWindow;
}

QVariantList Sema::getListIntervalTime(int sequence) const
{
    return semaIntervalList(m_intervals, sequence, SemaIntervalField::Time);
}

QVariantList Sema::getListIntervalColor(int sequence) const
{
    return semaIntervalList(m_intervals, sequence, SemaIntervalField::Color);
}

QVariantList Sema::getListIntervalSound(int sequence) const
{
    return semaIntervalList(m_intervals, sequence, SemaIntervalField::Sound);
}

QVariantList Sema::getListIntervalIsFalseStartWindow(int sequence) const
{
    return semaIntervalList(m_intervals, sequence, SemaIntervalField::IsFalseStartWindow);
}

void Sema::setIntervalTime(int index, int sequence, qlonglong value) { intervalForEdit(index, sequence).time = value; }

void Sema::setIntervalColor(int index, int sequence, SemaEnum::SemaColor value)
{
    intervalForEdit(index, sequence).color = value;
}

void Sema::setIntervalSound(int index, int sequence, SemaEnum::SemaSound value)
{
    intervalForEdit(index, sequence).sound = value;
}

void Sema::setIntervalIsFalseStartWindow(int index, int sequence, bool value)
{
    intervalForEdit(index, sequence).isFalseStartWindow = value;
}

QString Sema::getStringColor(SemaEnum::SemaColor color) const
{
    switch (color) {
    case SemaEnum::SEMA_COLOR_OFF:
        return tr("Off");
    case SemaEnum::SEMA_COLOR_RED:
        return tr("Red");
    case SemaEnum::SEMA_COLOR_YELLOW:
        return tr("Yellow");
    case SemaEnum::SEMA_COLOR_GREEN:
        return tr("Green");
    case SemaEnum::SEMA_COLOR_PIXEL:
        return tr("Pixel");
    case SemaEnum::SEMA_COLOR_YELLOW_PIXEL:
        return tr("Yellow Pixel");
    default:
        return QString();
    }
}

QString Sema::getStringSound(SemaEnum::SemaSound sound) const
{
    switch (sound) {
    case SemaEnum::NO_SEMA_SOUND:
        return tr("Silent");
    case SemaEnum::SEMA_SOUND_BIP:
        return tr("Bip");
    case SemaEnum::SEMA_SOUND_BOOP:
        return tr("Boop");
    case SemaEnum::SEMA_SOUND_LONG_BIP:
        return tr("Long Bip");
    case SemaEnum::SEMA_SOUND_LONG_BOOP:
        return tr("Long Boop");
    default:
        return QString();
    }
}

void Sema::writeTable(int sequence, const TableRow* rows, int count)
{
    for (int index = 0; index < count; ++index) {
        setIntervalTime(index, sequence, rows[index].time);
        setIntervalColor(index, sequence, SemaEnum::SemaColor(rows[index].color));
        setIntervalSound(index, sequence, SemaEnum::SemaSound(rows[index].sound));
        setIntervalIsFalseStartWindow(index, sequence, rows[index].isFalseStartWindow);
    }
}

void Sema::configurationAlpineSki(int sequenceMode)
{
    static const TableRow rows[] = {
        { -10, kRed, kLongBoop, false },
        { -5, kGreen, kBip, true },
        { -4, kGreen, kBip, true },
        { -3, kGreen, kBip, true },
        { -2, kGreen, kBip, true },
        { -1, kGreen, kBip, true },
        { 0, kGreen, kLongBip, true },
        { 5, kRed, kSilent, false },
        { 10, kOff, kSilent, false },
    };
    writeTable(sequenceMode, rows, int(std::size(rows)));
}

void Sema::configurationNordicSki(int sequenceMode)
{
    static const TableRow rows[] = {
        { -10, kRed, kLongBoop, false },
        { -5, kRed, kBip, false },
        { -4, kRed, kBip, true },
        { -3, kGreen, kBip, true },
        { -2, kGreen, kBip, true },
        { -1, kGreen, kBip, true },
        { 0, kGreen, kLongBip, true },
        { 3, kRed, kSilent, false },
        { 10, kOff, kSilent, false },
    };
    writeTable(sequenceMode, rows, int(std::size(rows)));
}

void Sema::configurationRally1(int sequenceMode)
{
    static const TableRow rows[] = {
        { -10, kRed, kLongBoop, false },
        { -5, kYellowPixel, kBip, false },
        { -4, kPixel, kBip, false },
        { -3, kPixel, kBip, false },
        { -2, kPixel, kBip, false },
        { -1, kPixel, kBip, false },
        { 0, kGreen, kLongBip, true },
        { 20, kOff, kSilent, false },
    };
    writeTable(sequenceMode, rows, int(std::size(rows)));
}

void Sema::configurationRally2(int sequenceMode)
{
    static const TableRow rows[] = {
        { -10, kRed, kLongBoop, false },
        { -5, kYellow, kBip, false },
        { -4, kYellow, kBip, false },
        { -3, kYellow, kBip, false },
        { -2, kYellow, kBip, false },
        { -1, kYellow, kBip, false },
        { 0, kGreen, kLongBip, true },
        { 30, kOff, kSilent, false },
    };
    writeTable(sequenceMode, rows, int(std::size(rows)));
}

} // namespace Vl::Orvane::UI
