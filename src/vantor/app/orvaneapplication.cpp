#include "app/orvaneapplication.h"

#include <QDebug>

#include <exception>

namespace Vl::Tavix3::UI {

OrvaneApplication::OrvaneApplication(int& argc, char** argv)
    : QGuiApplication(argc, argv)
{
}

OrvaneApplication::~OrvaneApplication()
{
    qDebug() << "********~OrvaneApplication********";
}

bool OrvaneApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QGuiApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        qCritical("****Exception**** OrvaneApplication %s", e.what());
    }
    return true;
}

} // namespace Vl::Tavix3::UI
