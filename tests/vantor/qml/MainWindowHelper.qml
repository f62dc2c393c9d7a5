import QtQuick 2.15
import QtTest 1.2

// Creates and destroys the real main window around each test and finds its parts.
QtObject {
    id: helper

    property var root: null
    property var window: root ? root.controlWindow : null
    property TestCase testCase

    function create(language) {
        sema.reset()
        systemHw.reset()
        gps.reset()
        messageBox.reset()
        displayboard.calls = []
        eventGenerator.calls = []
        menuLog.reset()
        application.isClosing = false
        application.isHighContrast = false
        application.isInTimingMenu = false
        application.currentLanguage = language === undefined ? 0 : language
        application.isCompleted = false
        var component = Qt.createComponent("qrc:/main.qml")
        if (component.status !== Component.Ready)
            testCase.fail("main.qml: " + component.errorString())
        root = component.createObject(null)
        testCase.verify(root !== null, "main.qml created")
        // The splash would hold the main window back for two seconds in every test.
        if (root.splashWindow)
            root.splashWindow.timeoutInterval = 1
        testCase.tryVerify(function() { return window.visible }, 20000, "the main window is shown")
        window.requestActivate()
        testCase.tryVerify(function() { return window.active }, 20000, "the main window is active")
        waitForStack()
        return root
    }

    function dispose() {
        if (root) {
            root.controlWindow.visible = false
            destroyRoot(root)
            root = null
        }
        testCase.wait(0)
    }

    // Destroys an object created without a parent and returns once it is deleted. The caller's
    // reference must stay until then: an object nothing refers to belongs to the garbage
    // collector, and a collection that runs while the object is being deleted (its destruction
    // handlers allocate) releases the object's context from under its destructor, which then
    // crashes.
    function destroyRoot(object) {
        object.destroy()
        testCase.wait(0)
        testCase.tryVerify(function() { return object.objectName === undefined }, 20000, "the root is deleted")
    }

    function find(name) {
        return testCase.findChild(window.contentItem, name)
    }

    function stack() {
        return find("stack")
    }

    function waitForStack() {
        var view = stack()
        testCase.tryVerify(function() { return !view.busy }, 20000, "the screen stack settles")
    }

    function current() {
        return stack().currentItem
    }

    // Taps an item at its centre (or at x, y in its own coordinates) in the main window.
    function tap(item, x, y) {
        testCase.verify(item !== null, "tap target exists")
        testCase.mouseClick(item, x === undefined ? item.width / 2 : x, y === undefined ? item.height / 2 : y)
    }
}
