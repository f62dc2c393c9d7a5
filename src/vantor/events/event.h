#pragma once

#include <QMetaType>
#include <QSharedPointer>
#include <QString>
#include <QUuid>

#include <boost/optional.hpp>

namespace Vl::Tavix3::UI {

// The shared pointer through which records are owned and passed between threads.
template <typename T> using EntityPtr = QSharedPointer<T>;

// One timing event: created by the event thread, judged by the engine, sent to the clients
// and written to the events log. Always held through EntityPtr<Event>, never copied.
struct Event
{
    QString id = QUuid::createUuid().toString().mid(1, 36);
    boost::optional<int> bibNumber;
    qint64 ticks = 0;
    qint64 physicalChannel = 0;
    bool isSkipped = false;
    bool isAuto = false;
    bool isScartIn = false;
};

// The physical channel of a start that the engine generates itself.
constexpr qint64 kGeneratedStartChannel = 9;

} // namespace Vl::Tavix3::UI

Q_DECLARE_METATYPE(Vl::Tavix3::UI::EntityPtr<Vl::Tavix3::UI::Event>)
