import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// Keys on the screens: the menu key acts on its release, holding any key asks to quit, and the
// stack hands a stray key press to its current screen.
TestCase {
    id: testCase
    name: "Keys"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    // The language menu is pushed over the main menu at start, so there is a screen to leave.
    function init() {
        helper.create(OrvaneEnum.NO_LANGUAGE)
        compare(helper.current().objectName, "Languages")
        compare(helper.root.power_shutdown_menu, 2000)
        compare(helper.window.longPressTimer.interval, 2000)
        // Holding a key is timed with a shorter interval, so the tests need not wait 2 s.
        helper.root.power_shutdown_menu = 150
    }

    function cleanup() {
        helper.dispose()
    }

    function test_menuKeyGoesBackOnRelease() {
        // The press is not held: its release must not race a short hold interval on a slow machine.
        helper.root.power_shutdown_menu = 60000
        keyPress(Qt.Key_Menu)
        wait(20)
        compare(helper.current().objectName, "Languages")
        keyRelease(Qt.Key_Menu)
        helper.waitForStack()
        compare(helper.current().objectName, "initialPage")
        compare(messageBox.questions, [])
    }

    function test_menuKeyOnTheFirstScreenStays() {
        keyClick(Qt.Key_Menu)
        helper.waitForStack()
        keyClick(Qt.Key_Menu)
        helper.waitForStack()
        compare(helper.stack().depth, 1)
        compare(helper.current().objectName, "initialPage")
    }

    function test_holdingAKeyAsksToQuit_data() {
        return [{ "tag": "menu key", "key": Qt.Key_Menu }, { "tag": "F1", "key": Qt.Key_F1 },
                { "tag": "a digit", "key": Qt.Key_5 }]
    }

    function test_holdingAKeyAsksToQuit(data) {
        messageBox.answer = false
        keyPress(data.key)
        tryCompare(messageBox, "questions", ["Quit from Vantor"], 20000)
        keyRelease(data.key)
        helper.waitForStack()
        // Answering no returns to the screen, which the held menu key did not leave.
        compare(helper.current().objectName, "Languages")
        verify(!application.isClosing)
        verify(helper.current().activeFocus)
    }

    function test_autoRepeatedReleasesDoNotEndTheHold() {
        messageBox.answer = false
        keyPress(Qt.Key_F2)
        testSupport.releaseKey(helper.window, Qt.Key_F2, true)
        testSupport.pressKey(helper.window, Qt.Key_F2, true)
        tryCompare(messageBox, "questions", ["Quit from Vantor"], 20000)
        keyRelease(Qt.Key_F2)
    }

    function test_aShortPressAsksNothing() {
        keyClick(Qt.Key_F1)
        wait(300)
        compare(messageBox.questions, [])
    }

    function test_lastKeyIsRemembered() {
        keyClick(Qt.Key_F3)
        compare(helper.current().lastKeyEventKey, Qt.Key_F3)
    }

    function test_strayKeyPressFocusesTheScreen() {
        helper.current().focus = false
        helper.stack().forceActiveFocus()
        verify(!helper.current().activeFocus)
        keyClick(Qt.Key_F1)
        verify(helper.current().activeFocus)
    }

    function test_keysAreIgnoredWhileClosing() {
        application.isClosing = true
        keyClick(Qt.Key_Menu)
        wait(50)
        compare(helper.current().objectName, "Languages")
        application.isClosing = false
    }

    function test_windowCloseAsksFirst() {
        messageBox.answer = false
        helper.window.close()
        compare(messageBox.questions, ["Quit from Vantor"])
        verify(helper.window.visible)
        verify(!application.isClosing)
    }
}
