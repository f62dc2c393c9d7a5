#include "remote/logthrottle.h"

namespace Vl::Tavix3::UI {

int LogThrottle::note(qint64 nowMs)
{
    ++m_unreported;
    return takeUnreported(nowMs);
}

int LogThrottle::takeUnreported(qint64 nowMs)
{
    if (m_unreported == 0 || !isDue(nowMs))
        return 0;
    m_lastLineMs = nowMs;
    const int count = m_unreported;
    m_unreported = 0;
    return count;
}

} // namespace Vl::Tavix3::UI
