#include "core/vlexception.h"

namespace Vl::Tavix3::Exceptions {

VlException::VlException(const QString& message)
    : m_message(message)
    , m_local8Bit(message.toLocal8Bit())
{
}

VlException::~VlException() = default;

const char* VlException::what() const noexcept
{
    return m_local8Bit.constData();
}

} // namespace Vl::Tavix3::Exceptions
