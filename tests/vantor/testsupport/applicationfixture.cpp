#include "testsupport/applicationfixture.h"

#include "app/application.h"
#include "app/startup.h"
#include "core/sharedapplication.h"
#include "testsupport/testmain.h"

#include <QDir>
#include <QSettings>

namespace TestSupport {

ApplicationFixture::ApplicationFixture(Stage stage)
    : m_dataPath(testRoot() + QStringLiteral("/appdata"))
{
    Vl::Tavix3::UI::initResources();
    QDir().mkpath(m_dataPath);
    m_application = QSharedPointer<Vl::Tavix3::UI::Application>::create(nullptr, nullptr, m_dataPath, nullptr);
    Vl::Tavix3::UI::setSharedApplication(m_application);
    if (stage == Stage::Constructed)
        return;
    m_application->init();
    if (stage == Stage::Running) {
        m_application->startHardware();
        m_application->startWorkerThreads();
    }
}

ApplicationFixture::~ApplicationFixture()
{
    Vl::Tavix3::UI::resetSharedApplication();
}

void ApplicationFixture::clearSettings()
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("Vantor"));
    store.clear();
    store.sync();
}

} // namespace TestSupport
