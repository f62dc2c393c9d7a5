// The interval tables of the engine: the built-in tables, the accessors the screens use and the
// minimum repetition time.
#include "sequence/sema.h"

#include <QMutexLocker>

#include <algorithm>
#include <iterator>

namespace Vl::Tavix3::UI {

namespace {

using C = SemaEnum;

constexpr SemaInterval kAlpineSki[] = {
    { -10, C::SEMA_SOUND_LONG_BOOP, C::SEMA_COLOR_RED, false },
    { -5, C::SEMA_SOUND_BIP, C::SEMA_COLOR_GREEN, true },
    { -4, C::SEMA_SOUND_BIP, C::SEMA_COLOR_GREEN, true },
    { -3, C::SEMA_SOUND_BIP, C::SEMA_COLOR_GREEN, true },
    { -2, C::SEMA_SOUND_BIP, C::SEMA_COLOR_GREEN, true },
    { -1, C::SEMA_SOUND_BIP, C::SEMA_COLOR_GREEN, true },
    { 0, C::SEMA_SOUND_LONG_BIP, C::SEMA_COLOR_GREEN, true },
    { 5, C::NO_SEMA_SOUND, C::SEMA_COLOR_RED, false },
    { 10, C::NO_SEMA_SOUND, C::SEMA_COLOR_OFF, false },
};

constexpr SemaInterval kNordicSki[] = {
    { -10, C::SEMA_SOUND_LONG_BOOP, C::SEMA_COLOR_RED, false },
    { -5, C::SEMA_SOUND_BIP, C::SEMA_COLOR_RED, false },
    { -4, C::SEMA_SOUND_BIP, C::SEMA_COLOR_RED, true },
    { -3, C::SEMA_SOUND_BIP, C::SEMA_COLOR_GREEN, true },
    { -2, C::SEMA_SOUND_BIP, C::SEMA_COLOR_GREEN, true },
    { -1, C::SEMA_SOUND_BIP, C::SEMA_COLOR_GREEN, true },
    { 0, C::SEMA_SOUND_LONG_BIP, C::SEMA_COLOR_GREEN, true },
    { 3, C::NO_SEMA_SOUND, C::SEMA_COLOR_RED, false },
    { 10, C::NO_SEMA_SOUND, C::SEMA_COLOR_OFF, false },
};

// RALLY, SHAKEDOWN and UP HILL COUNTDOWN share this table; only the time of the last interval differs.
constexpr int kCountdownLength = 8;
void countdownTable(SemaInterval* table, qint64 offTime)
{
    const SemaInterval rows[kCountdownLength] = {
        { -10, C::SEMA_SOUND_LONG_BOOP, C::SEMA_COLOR_RED, false },
        { -5, C::SEMA_SOUND_BIP, C::SEMA_COLOR_YELLOW_PIXEL, false },
        { -4, C::SEMA_SOUND_BIP, C::SEMA_COLOR_PIXEL, false },
        { -3, C::SEMA_SOUND_BIP, C::SEMA_COLOR_PIXEL, false },
        { -2, C::SEMA_SOUND_BIP, C::SEMA_COLOR_PIXEL, false },
        { -1, C::SEMA_SOUND_BIP, C::SEMA_COLOR_PIXEL, false },
        { 0, C::SEMA_SOUND_LONG_BIP, C::SEMA_COLOR_GREEN, true },
        { offTime, C::NO_SEMA_SOUND, C::SEMA_COLOR_OFF, false },
    };
    std::copy(rows, rows + kCountdownLength, table);
}

constexpr SemaInterval kUpHillNoCountdown[] = {
    { -10, C::SEMA_SOUND_LONG_BOOP, C::SEMA_COLOR_RED, false },
    { 0, C::SEMA_SOUND_LONG_BIP, C::SEMA_COLOR_GREEN, true },
    { 11, C::NO_SEMA_SOUND, C::SEMA_COLOR_OFF, false },
};

const SemaInterval kZeroInterval {};

} // namespace

void Sema::writeTable(int sequence, const SemaInterval* table, int count)
{
    QMutexLocker locker(&m_stateMutex);
    for (int i = 0; i < count; ++i)
        m_intervals.insert(IntervalKey(i, sequence), table[i]);
}

void Sema::configurationAlpineSki(int sequenceMode)
{
    writeTable(sequenceMode, kAlpineSki, int(std::size(kAlpineSki)));
}

void Sema::configurationNordicSki(int sequenceMode)
{
    writeTable(sequenceMode, kNordicSki, int(std::size(kNordicSki)));
}

void Sema::configurationRally(int sequenceMode)
{
    SemaInterval table[kCountdownLength];
    countdownTable(table, 21);
    writeTable(sequenceMode, table, kCountdownLength);
}

void Sema::configurationShakedown(int sequenceMode)
{
    SemaInterval table[kCountdownLength];
    countdownTable(table, 16);
    writeTable(sequenceMode, table, kCountdownLength);
}

void Sema::configurationUpHillNoCountdown(int sequenceMode)
{
    writeTable(sequenceMode, kUpHillNoCountdown, int(std::size(kUpHillNoCountdown)));
}

void Sema::configurationUpHillCountdown(int sequenceMode)
{
    SemaInterval table[kCountdownLength];
    countdownTable(table, 11);
    writeTable(sequenceMode, table, kCountdownLength);
}

void Sema::initIntervalTables()
{
    QMutexLocker locker(&m_stateMutex);
    configurationAlpineSki(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    configurationNordicSki(SemaEnum::SEMA_SEQUENCE_NORDIC_SKI);
    configurationRally(SemaEnum::SEMA_SEQUENCE_RALLY);
    configurationShakedown(SemaEnum::SEMA_SEQUENCE_SHAKEDOWN);
    configurationUpHillNoCountdown(SemaEnum::SEMA_SEQUENCE_UPHILL_NO_COUNTDOWN);
    configurationUpHillCountdown(SemaEnum::SEMA_SEQUENCE_UPHILL_COUNTDOWN);
}

void Sema::resetAllIntervals()
{
    QMutexLocker locker(&m_stateMutex);
    m_intervals.clear();
    initIntervalTables();
}

void Sema::resetListInterval(int sequence)
{
    QMutexLocker locker(&m_stateMutex);
    for (auto it = m_intervals.begin(); it != m_intervals.end();) {
        if (it.key().second == sequence)
            it = m_intervals.erase(it);
        else
            ++it;
    }
}

int Sema::intervalCount(int sequence) const
{
    QMutexLocker locker(&m_stateMutex);
    int count = 0;
    while (m_intervals.contains(IntervalKey(count, sequence)))
        ++count;
    return count;
}

SemaInterval Sema::getInterval(int index, int sequence) const
{
    QMutexLocker locker(&m_stateMutex);
    return m_intervals.value(IntervalKey(index, sequence), kZeroInterval);
}

void Sema::setInterval(int index, int sequence, const SemaInterval& value)
{
    QMutexLocker locker(&m_stateMutex);
    m_intervals.insert(IntervalKey(index, sequence), value);
}

qlonglong Sema::getIntervalTime(int index, int sequence) const
{
    return getInterval(index, sequence).time * kTicksPerSecond;
}

// Takes ticks, the unit getIntervalTime returns, and stores whole seconds (truncated toward zero).
void Sema::setIntervalTime(int index, int sequence, qlonglong value)
{
    QMutexLocker locker(&m_stateMutex);
    intervalForEdit(index, sequence).time = value / kTicksPerSecond;
}

// Reading a field never adds an interval: a stray read would lengthen the table of a running sequence.
SemaEnum::SemaColor Sema::getIntervalColor(int index, int sequence) const
{
    return SemaEnum::SemaColor(getInterval(index, sequence).color);
}

SemaEnum::SemaSound Sema::getIntervalSound(int index, int sequence) const
{
    return SemaEnum::SemaSound(getInterval(index, sequence).sound);
}

bool Sema::getIntervalIsFalseStartWindow(int index, int sequence) const
{
    return getInterval(index, sequence).isFalseStartWindow;
}

SemaInterval& Sema::intervalForEdit(int index, int sequence)
{
    auto it = m_intervals.find(IntervalKey(index, sequence));
    if (it == m_intervals.end())
        it = m_intervals.insert(IntervalKey(index, sequence), SemaInterval());
    return it.value();
}

void Sema::setIntervalColor(int index, int sequence, int value)
{
    QMutexLocker locker(&m_stateMutex);
    intervalForEdit(index, sequence).color = value;
}

void Sema::setIntervalSound(int index, int sequence, int value)
{
    QMutexLocker locker(&m_stateMutex);
    intervalForEdit(index, sequence).sound = value;
}

void Sema::setIntervalIsFalseStartWindow(int index, int sequence, bool value)
{
    QMutexLocker locker(&m_stateMutex);
    intervalForEdit(index, sequence).isFalseStartWindow = value;
}

QVariantList Sema::listField(int sequence, SemaIntervalField field) const
{
    QMutexLocker locker(&m_stateMutex);
    return semaIntervalList(m_intervals, sequence, field);
}

QVariantList Sema::getListInterval(int sequence) const { return listField(sequence, SemaIntervalField::Whole); }

QVariantList Sema::getListIntervalTime(int sequence) const { return listField(sequence, SemaIntervalField::Time); }

QVariantList Sema::getListIntervalColor(int sequence) const { return listField(sequence, SemaIntervalField::Color); }

QVariantList Sema::getListIntervalSound(int sequence) const { return listField(sequence, SemaIntervalField::Sound); }

QVariantList Sema::getListIntervalIsFalseStartWindow(int sequence) const
{
    return listField(sequence, SemaIntervalField::IsFalseStartWindow);
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

qlonglong Sema::getMinRepetitionTime() const
{
    QMutexLocker locker(&m_stateMutex);
    if (m_sequenceMode != SemaEnum::SEQUENCE_MODE_AUTO)
        return 0;
    const int count = intervalCount(m_sequenceType);
    if (count == 0)
        return 0;
    const SemaInterval first = getInterval(0, m_sequenceType);
    const SemaInterval last = getInterval(count - 1, m_sequenceType);
    qint64 seconds = last.time - first.time;
    // A last interval that lights or sounds something needs its own second before the next run.
    const bool silentEnd = (last.color == SemaEnum::NO_SEMA_COLOR || last.color == SemaEnum::SEMA_COLOR_OFF)
        && last.sound == SemaEnum::NO_SEMA_SOUND;
    if (!silentEnd)
        seconds += 1;
    return seconds * kTicksPerSecond;
}

} // namespace Vl::Tavix3::UI
