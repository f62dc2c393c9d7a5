#include "core/exceptionhandler.h"

#include "core/vlexception.h"

#include <QDebug>

#include <boost/stacktrace.hpp>

#include <iostream>

namespace Vl::Tavix3::Exceptions {

void inlineExceptionHandler(const char* what, const char* function, const char* file, const unsigned int line)
{
    qCritical() << "****Exception**** " << function << ": " << what << ", file " << file << " line " << line;
    printStackTrace();
}

void printStackTrace()
{
    std::cout << boost::stacktrace::stacktrace() << std::flush;
}

namespace detail {

void assertion_failed_msg(const char* expr, const char* msg, const char* function, const char* file, long line)
{
    qDebug() << "ASSERTION FAILED " << file << ":" << line << " in: " << function << ": " << expr << " " << msg;
    printStackTrace();
    throw VlException(QStringLiteral("ASSERTION FAILED ") + QString::fromLocal8Bit(msg));
}

} // namespace detail
} // namespace Vl::Tavix3::Exceptions

// Boost's hooks for BOOST_ENABLE_ASSERT_HANDLER.
namespace boost {

void assertion_failed_msg(const char* expr, const char* msg, const char* function, const char* file, long line)
{
    Vl::Tavix3::Exceptions::detail::assertion_failed_msg(expr, msg, function, file, line);
}

void assertion_failed(const char* expr, const char* function, const char* file, long line)
{
    Vl::Tavix3::Exceptions::detail::assertion_failed_msg(expr, "", function, file, line);
}

} // namespace boost
