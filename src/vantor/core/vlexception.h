#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace Vl::Tavix3::Exceptions {

// The one exception type of Vantor: the message as text and as local 8-bit bytes.
class VlException : public std::exception
{
public:
    explicit VlException(const QString& message);
    ~VlException() override;

    const char* what() const noexcept override;
    QString message() const { return m_message; }

private:
    QString m_message;
    QByteArray m_local8Bit;
    std::exception_ptr m_nested;
};

} // namespace Vl::Tavix3::Exceptions
