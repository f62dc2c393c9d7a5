import QtQuick 2.15
import QtTest 1.2

// The harness itself: a root that a test releases is deleted while the harness still holds it,
// so a garbage collection during the deletion cannot crash the test program.
TestCase {
    id: testCase
    name: "Harness"

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    // Made in a function of its own, so that no value of the test function holds the root.
    function createCollectingRoot() {
        var component = Qt.createComponent("qrc:/qmltest/CollectingRoot.qml")
        compare(component.status, Component.Ready, component.errorString())
        helper.root = component.createObject(null)
        verify(helper.root !== null)
    }

    function test_collectionWhileTheRootIsDeleted() {
        for (var i = 0; i < 100; ++i) {
            createCollectingRoot()
            helper.dispose()
            compare(helper.root, null)
        }
    }
}
