#pragma once

#include <QGuiApplication>

namespace Vl::Tavix3::UI {

// The application instance of Vantor: a standard exception that escapes an event handler is
// logged and swallowed, so the event loop goes on.
class OrvaneApplication : public QGuiApplication
{
    Q_OBJECT

public:
    OrvaneApplication(int& argc, char** argv);
    ~OrvaneApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace Vl::Tavix3::UI
