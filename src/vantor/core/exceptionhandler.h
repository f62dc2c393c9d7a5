#pragma once

namespace Vl::Tavix3::Exceptions {

// Reports a caught exception: one critical log line with function, file and line, then a
// stack trace of the current thread on standard output. Returns normally.
void inlineExceptionHandler(const char* what, const char* function, const char* file, const unsigned int line);

// Writes a stack trace of the calling thread to standard output, one frame per line.
void printStackTrace();

namespace detail {
// Called by the assertion macros of the Boost libraries: logs, prints a trace, throws VlException.
[[noreturn]] void assertion_failed_msg(const char* expr, const char* msg, const char* function, const char* file,
                                       long line);
} // namespace detail

} // namespace Vl::Tavix3::Exceptions

// Reports a std::exception caught in the calling function under the given qualified name.
#define VL_REPORT_EXCEPTION(e, qualifiedName)                                                                          \
    ::Vl::Tavix3::Exceptions::inlineExceptionHandler((e).what(), qualifiedName, __FILE__, __LINE__)
