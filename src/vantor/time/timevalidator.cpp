#include "time/timevalidator.h"

namespace Vl::Tavix3::UI {

QValidator::State TimeValidator::validate(QString&, int&) const
{
    return Acceptable;
}

} // namespace Vl::Tavix3::UI
