#pragma once

#include <QObject>
#include <QString>

namespace Vl::Tavix3::UI {

// Carries short coloured notices to the info bar of the main window.
class InfoBarMessage : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    // time: display time in milliseconds; color: a colour text such as "#007743".
    void showInfoMessage(const QString& message, int time, const QString& color);
};

} // namespace Vl::Tavix3::UI
