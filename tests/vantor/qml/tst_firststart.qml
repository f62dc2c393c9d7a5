import QtQuick 2.15
import QtTest 1.2

// The first start of the interface in a fresh program: the first screen takes the focus while
// the main window waits behind the splash, and the keys must still reach it once the window is
// shown.
TestCase {
    id: testCase
    name: "FirstStart"
    when: windowShown

    property var root: null

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    function cleanup() {
        if (root) {
            root.controlWindow.visible = false
            helper.destroyRoot(root)
            root = null
        }
    }

    function test_keysReachTheFirstScreenAfterTheSplash() {
        application.isCompleted = false
        root = Qt.createComponent("qrc:/main.qml").createObject(null)
        verify(root !== null)
        var window = root.controlWindow
        root.splashWindow.timeoutInterval = 10
        tryVerify(function() { return window.visible }, 20000, "the main window is shown")
        window.requestActivate()
        tryVerify(function() { return window.active }, 20000, "the main window is active")
        var stack = findChild(window.contentItem, "stack")
        tryCompare(window, "activeFocusItem", stack.currentItem)
        testSupport.pressKey(window, Qt.Key_F1)
        verify(window.longPressTimer.running)
        testSupport.releaseKey(window, Qt.Key_F1)
        verify(!window.longPressTimer.running)
    }
}
