#include "ui/messageresult.h"

namespace Vl::Tavix3::UI {

void MessageResult::setResult(int result)
{
    value = result;
    hasResult = true;
}

void MessageResult::setResult(int result, const QString& string)
{
    value = result;
    text = string;
    hasResult = true;
}

void MessageResult::setResult(int result, int resultIndex)
{
    value = result;
    index = resultIndex;
    hasResult = true;
}

} // namespace Vl::Tavix3::UI
