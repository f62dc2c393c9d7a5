#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

// Runs several QtTest classes in one test program (one program per area of the code).
// Each class is registered with VANTOR_TEST_CLASS in its own file; the shared main runs them
// all and fails when any of them fails.
namespace TestSupport {

using Factory = std::function<QObject*()>;
int registerTestClass(const char* name, Factory factory);
int runAll(int argc, char** argv);

// The isolated folder this test program runs in (set by tests/run-isolated.sh).
QString testRoot();

} // namespace TestSupport

#define VANTOR_TEST_CLASS(Class)                                                                                       \
    static const int Class##_registered = TestSupport::registerTestClass(#Class, [] { return new Class; });
