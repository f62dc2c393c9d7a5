// Boost's hooks for BOOST_ENABLE_ASSERT_HANDLER in TestVantor: a failed assertion (such as reading
// an empty optional) is logged and becomes a standard exception, which the caller's handler catches.
#include <QDebug>

#include <stdexcept>
#include <string>

namespace boost {

void assertion_failed_msg(const char* expr, const char* msg, const char* function, const char* file, long line)
{
    qDebug() << "ASSERTION FAILED " << file << ":" << line << " in: " << function << ": " << expr << " " << msg;
    throw std::logic_error(std::string("ASSERTION FAILED ") + msg);
}

void assertion_failed(const char* expr, const char* function, const char* file, long line)
{
    assertion_failed_msg(expr, "", function, file, line);
}

} // namespace boost
