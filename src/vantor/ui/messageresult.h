#pragma once

#include <QObject>
#include <QString>

namespace Vl::Tavix3::UI {

// Receives the result of one message box while MsgBox waits for it.
class MessageResult : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    int value = 0;
    QString text;
    int index = 0;
    bool hasResult = false;

public slots:
    void setResult(int result);
    void setResult(int result, const QString& string);
    void setResult(int result, int resultIndex);
};

} // namespace Vl::Tavix3::UI
