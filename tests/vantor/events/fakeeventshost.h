#pragma once

#include "events/eventgenerator.h"
#include "events/handleeventshost.h"

#include <QObject>

#include <atomic>
#include <stdexcept>

// A host for the event worker with the application object's flags and signals, and switches
// for what a test wants: a planned synchronisation instant, capture requests, a failure.
class FakeEventsHost : public QObject, public Vl::Tavix3::UI::HandleEventsHost
{
    Q_OBJECT

public:
    boost::optional<qint64> synchroAt;
    std::atomic<bool> checkSynchro { false };
    std::atomic<bool> testSynchro { false };
    std::atomic<bool> inSynchroMenu { false };
    std::atomic<bool> failOnRead { false };
    std::atomic<int> beeps { 0 };
    QMutex connectionsMutex;
    QList<Vl::Tavix3::UI::BTConnectionInfo> connections;
    Vl::Tavix3::UI::EventGenerator* generator = nullptr;

    boost::optional<qint64> synchroAtTime() const override
    {
        if (failOnRead)
            throw std::runtime_error("synchronisation state unreadable");
        return synchroAt;
    }
    bool isInSynchroMenu() const override { return inSynchroMenu; }
    bool takeCheckSynchro() override { return checkSynchro.exchange(false); }
    bool takeTestSynchro() override { return testSynchro.exchange(false); }
    void playSynchroBeep() override { ++beeps; }
    void emitEventReceived(const QVariant& event, bool isFalling) override { emit eventReceived(event, isFalling); }
    void emitSynchroEvent(uint physicalChannel, qlonglong ticks) override { emit synchroEvent(physicalChannel, ticks); }
    QMutex& btConnectionsMutex() override { return connectionsMutex; }
    QList<Vl::Tavix3::UI::BTConnectionInfo>& btConnections() override { return connections; }
    Vl::Tavix3::UI::EventGenerator* eventGenerator() override { return generator; }

signals:
    void eventReceived(const QVariant& event, bool isFalling);
    void synchroEvent(uint physicalChannel, qlonglong ticks);
};
