#include "time/datevalidator.h"

namespace Vl::Tavix3::UI {

QValidator::State DateValidator::validate(QString&, int&) const
{
    return Acceptable;
}

} // namespace Vl::Tavix3::UI
