#pragma once

#include <QtGlobal>

#include <string>

namespace Vl::Tavix3::UI {

// One Bluetooth device connection, kept by the application object for the synchronisation frames.
struct BTConnectionInfo
{
    std::string deviceAddress;
    int serialId = 0;
    qint64 connectTicks = 0;
    bool isSynced = false;
};

} // namespace Vl::Tavix3::UI
