// The Qt Quick tests of the screens: every tst_*.qml file of this folder, run against the
// real QML of Vantor with the set-up of qmltestsetup.h.
#include "qmltestsetup.h"

#include <QtQuickTest>

QUICK_TEST_MAIN_WITH_SETUP(tst_qml, QmlTest::QmlTestSetup)
