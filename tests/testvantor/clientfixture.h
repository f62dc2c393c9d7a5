#pragma once

#include "client/backend.h"
#include "client/clientstuff.h"
#include "fakeserver.h"

#include <QSignalSpy>

// A Backend connected to a FakeServer on 127.0.0.1.
struct ClientFixture
{
    FakeServer server;
    Backend backend;

    bool connect()
    {
        if (!server.listen())
            return false;
        backend.clientStuff()->setHost(QStringLiteral("127.0.0.1"));
        backend.clientStuff()->setPort(server.port());
        QSignalSpy status(&backend, &Backend::statusChanged);
        backend.connectClicked();
        return status.wait() && backend.currentStatus() && server.waitForClient();
    }
};
