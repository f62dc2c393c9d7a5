#include "time/timevalidator.h"

#include "time/datetime.h"

namespace Vl::Tavix3::UI {

// A time is either readable as a whole or refused: there is no intermediate state.
QValidator::State TimeValidator::validate(QString& input, int&) const
{
    if (input.isEmpty())
        return Acceptable;
    qint64 ticks = 0;
    return DateTime::parseTime(input, &ticks, false, ':', '.') ? Acceptable : Invalid;
}

} // namespace Vl::Tavix3::UI
