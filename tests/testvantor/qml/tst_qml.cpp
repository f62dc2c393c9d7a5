// The Qt Quick tests of TestVantor's window: every tst_*.qml file of this folder. The program is a
// widget application, as TestVantor is, so that the file dialogs take their widget form.
#include "qmltestsetup.h"

#include <QApplication>
#include <QtQuickTest>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestVantorQml::QmlTestSetup setup;
    return quick_test_main_with_setup(argc, argv, "tst_testvantor_qml", QUICK_TEST_SOURCE_DIR, &setup);
}
