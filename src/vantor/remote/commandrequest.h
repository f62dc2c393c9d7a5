#pragma once

#include "remote/serialinfotype.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <optional>

namespace Vl::Tavix3::UI {

// One remote request as the command server executes it: the port it came from, its type, its
// command word and its Data, with the rules every command reads Data by. Data is a list of objects;
// an element that is not an object reads as an empty object. A key is present when its value is
// neither missing nor null.
class CommandRequest
{
public:
    CommandRequest(const SerialInfoType& port, const QString& type, const QString& command, const QJsonArray& data)
        : m_port(port)
        , m_type(type)
        , m_command(command)
        , m_data(data)
    {
    }

    const SerialInfoType& port() const { return m_port; }
    const QString& type() const { return m_type; }
    const QString& command() const { return m_command; }
    const QJsonArray& data() const { return m_data; }

    int itemCount() const { return m_data.size(); }
    bool isEmpty() const { return m_data.isEmpty(); }
    // The item at index as an object; an empty object for anything else.
    QJsonObject item(int index) const { return m_data.at(index).toObject(); }
    QJsonObject firstItem() const { return item(0); }
    // The value of key in the last item where it is present; undefined when no item has it.
    QJsonValue lastValue(const QString& key) const;

    static bool isPresent(const QJsonValue& value) { return !value.isNull() && !value.isUndefined(); }
    // A whole number that an int holds; nothing for any other value (fractions, numbers beyond the
    // int range, texts, flags).
    static std::optional<int> integer(const QJsonValue& value);
    // A JSON boolean; nothing for any other value.
    static std::optional<bool> flag(const QJsonValue& value);
    // A JSON string; empty for any other value.
    static QString text(const QJsonValue& value) { return value.toString(); }

private:
    SerialInfoType m_port;
    QString m_type;
    QString m_command;
    QJsonArray m_data;
};

} // namespace Vl::Tavix3::UI
