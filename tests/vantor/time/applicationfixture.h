#pragma once

#include "core/application.h"
#include "core/sharedapplication.h"
#include "testsupport/testmain.h"

#include <QSharedPointer>

// Publishes a bare application object (constructed, not initialised) as the shared application for
// as long as the fixture lives: what the time code reads from it are the date and time formats and
// the software timers.
class ApplicationFixture
{
public:
    ApplicationFixture()
        : app(QSharedPointer<Vl::Tavix3::UI::Application>::create(nullptr, nullptr, TestSupport::testRoot(), nullptr))
    {
        Vl::Tavix3::UI::setSharedApplication(app);
    }
    ~ApplicationFixture() { Vl::Tavix3::UI::resetSharedApplication(); }

    ApplicationFixture(const ApplicationFixture&) = delete;
    ApplicationFixture& operator=(const ApplicationFixture&) = delete;

    QSharedPointer<Vl::Tavix3::UI::Application> app;
};
