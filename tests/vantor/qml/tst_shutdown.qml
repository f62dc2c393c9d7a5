import QtQuick 2.15
import QtTest 1.2

// Closing the program from the interface: a required shut-down closes without a question, a
// confirmed quit question closes, and both end every waiting message box first.
TestCase {
    id: testCase
    name: "Shutdown"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    function init() {
        helper.create()
        helper.root.power_shutdown_menu = 100
    }

    function cleanup() {
        helper.dispose()
        application.isClosing = false
    }

    function test_requiredShutDownClosesWithoutAQuestion() {
        systemHw.isShutDownRequiredChanged(true)
        verify(helper.root.isShutDownRequired)
        verify(!application.isClosing)
        tryVerify(function() { return application.isClosing }, 5000)
        compare(messageBox.questions, [])
        verify(!helper.stack().visible)
        compare(helper.stack().depth, 0)
        verify(helper.find("waitOverlay").visible)
        // The desktop build does not shut the computer down.
        compare(systemHw.calls.indexOf("linuxShutDown"), -1)
    }

    function test_confirmedQuitQuestionCloses() {
        messageBox.answer = true
        keyPress(Qt.Key_F1)
        tryVerify(function() { return application.isClosing }, 5000)
        keyRelease(Qt.Key_F1)
        compare(messageBox.questions, ["Quit from Vantor"])
    }
}
