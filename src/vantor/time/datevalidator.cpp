#include "time/datevalidator.h"

#include "core/applicationservices.h"
#include "core/sharedapplication.h"
#include "time/datetime.h"

namespace Vl::Tavix3::UI {

// A date the parser had to correct is replaced in the field by its corrected text and refused,
// so the operator sees the nearest valid date.
QValidator::State DateValidator::validate(QString& input, int&) const
{
    if (input.isEmpty())
        return Acceptable;
    const QSharedPointer<ApplicationServices> app = sharedApplicationServices();
    const auto format = app && app->dateFormat() == OrvaneEnum::DATE_FORMAT_MM_DD_YYYY
        ? OrvaneEnum::DATE_FORMAT_MM_DD_YYYY
        : OrvaneEnum::DATE_FORMAT_DD_MM_YYYY;
    qint64 ticks = 0;
    QString normalised;
    if (DateTime::parseDate(input, &ticks, '/', format, &normalised))
        return Acceptable;
    if (!normalised.isEmpty())
        input = normalised;
    return Invalid;
}

} // namespace Vl::Tavix3::UI
