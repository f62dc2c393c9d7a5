import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// The message box: which key each input reports, the captions' widths, the header, time-outs,
// and how boxes hold the keyboard and hand it back to the screen stack.
TestCase {
    id: testCase
    name: "MessageBox"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    SignalSpy {
        id: resultSpy
        signalName: "setResult"
    }

    SignalSpy {
        id: closingSpy
        signalName: "closing"
    }

    function init() {
        helper.create()
    }

    function cleanup() {
        helper.dispose()
        resultSpy.clear()
        closingSpy.clear()
        resultSpy.target = null
        closingSpy.target = null
    }

    function mainItem() {
        return helper.find("mainItem")
    }

    function open(header, f1, f2, f3, timeout, escKey, confirmKey) {
        var box = mainItem().addMessageBox()
        verify(box !== null)
        resultSpy.target = box
        closingSpy.target = box
        box.setVisible(header, f1, f2, f3, "", "", timeout, escKey, confirmKey)
        tryVerify(function() { return box.activeFocus }, 20000, "the box takes the keyboard")
        waitForRendering(box)
        return box
    }

    function openYesNo() {
        return open("Quit from Vantor\nAre you sure?", "", "Yes", "No", 0, Qt.Key_F3, Qt.Key_F2)
    }

    function expectResult(box, key) {
        tryCompare(closingSpy, "count", 1)
        compare(resultSpy.count, 1)
        compare(resultSpy.signalArguments[0][0], key)
        verify(!box.visible)
    }

    function test_yesNoKeys_data() {
        return [
            { "tag": "F2 answers yes", "key": Qt.Key_F2, "result": Qt.Key_F2 },
            { "tag": "Enter answers yes", "key": Qt.Key_Enter, "result": Qt.Key_F2 },
            { "tag": "Return answers yes", "key": Qt.Key_Return, "result": Qt.Key_F2 },
            { "tag": "F3 answers no", "key": Qt.Key_F3, "result": Qt.Key_F3 },
            { "tag": "Escape reports itself", "key": Qt.Key_Escape, "result": Qt.Key_Escape },
            { "tag": "Menu reports itself", "key": Qt.Key_Menu, "result": Qt.Key_Menu }
        ]
    }

    function test_yesNoKeys(data) {
        var box = openYesNo()
        keyClick(data.key)
        expectResult(box, data.result)
    }

    function test_yesNoTouches_data() {
        return [{ "tag": "Yes", "button": "buttonF2", "result": Qt.Key_F2 },
                { "tag": "No", "button": "buttonF3", "result": Qt.Key_F3 }]
    }

    function test_yesNoTouches(data) {
        var box = openYesNo()
        helper.tap(findChild(box, data.button))
        expectResult(box, data.result)
    }

    function test_repeatsOfAHeldKeyDoNotAnswer_data() {
        return [{ "tag": "F2", "key": Qt.Key_F2 }, { "tag": "Enter", "key": Qt.Key_Enter },
                { "tag": "Escape", "key": Qt.Key_Escape }]
    }

    function test_repeatsOfAHeldKeyDoNotAnswer(data) {
        var box = openYesNo()
        testSupport.pressKey(helper.window, data.key, true)
        testSupport.releaseKey(helper.window, data.key, true)
        testSupport.pressKey(helper.window, data.key, true)
        wait(20)
        verify(box.visible)
        compare(resultSpy.count, 0)
        testSupport.releaseKey(helper.window, data.key)
        keyClick(Qt.Key_F3)
        expectResult(box, Qt.Key_F3)
    }

    function test_uncaptionedKeyLeavesTheBoxOpen() {
        var box = openYesNo()
        keyClick(Qt.Key_F1)
        keyClick(Qt.Key_A)
        wait(50)
        verify(box.visible)
        compare(resultSpy.count, 0)
        compare(closingSpy.count, 0)
        verify(box.activeFocus)
    }

    function test_headerOnlyBoxClosesOnATouchWithoutResult() {
        var box = open("Notice", "", "", "", 0, 0, 0)
        verify(!findChild(box, "buttonRow").visible)
        helper.tap(box, 20, 200)
        tryCompare(closingSpy, "count", 1)
        compare(resultSpy.count, 0)
    }

    function test_headerOnlyBoxKeys_data() {
        return [{ "tag": "Escape", "key": Qt.Key_Escape }, { "tag": "Menu", "key": Qt.Key_Menu },
                { "tag": "Enter", "key": Qt.Key_Enter }, { "tag": "Return", "key": Qt.Key_Return }]
    }

    function test_headerOnlyBoxKeys(data) {
        var box = open("Notice", "", "", "", 0, 0, 0)
        keyClick(data.key)
        expectResult(box, data.key)
    }

    function test_timedBoxReportsItsEscapeKey_data() {
        return [{ "tag": "no escape key", "escKey": 0 }, { "tag": "escape key F3", "escKey": Qt.Key_F3 }]
    }

    function test_timedBoxReportsItsEscapeKey(data) {
        var box = open("Timed", "", "", "", 100, data.escKey, 0)
        verify(box.visible)
        expectResult(box, data.escKey)
    }

    function test_captionWidths_data() {
        return [
            { "tag": "F1 and F3", "captions": ["A", "", "C"], "width": 100 },
            { "tag": "F2 and F3", "captions": ["", "B", "C"], "width": 100 },
            { "tag": "F1 and F2", "captions": ["A", "B", ""], "width": 320 / 3 },
            { "tag": "three", "captions": ["A", "B", "C"], "width": 90 }
        ]
    }

    function test_captionWidths(data) {
        var box = open("Widths", data.captions[0], data.captions[1], data.captions[2], 0, 0, 0)
        var row = findChild(box, "buttonRow")
        var names = ["buttonF1", "buttonF2", "buttonF3"]
        for (var i = 0; i < 3; ++i) {
            var button = findChild(box, names[i])
            compare(button.visible, data.captions[i] !== "")
            if (button.visible)
                fuzzyCompare(button.width, data.width, 0.01)
        }
        // The row fits inside the box.
        verify(row.width <= box.width)
        verify(row.x >= 0)
    }

    function test_fourthAndFifthCaptionsAreNotShown() {
        var box = mainItem().addMessageBox()
        box.setVisible("Five", "A", "B", "C", "D", "E", 0, 0, 0)
        compare([box.textF1, box.textF2, box.textF3], ["A", "B", "C"])
        box.setClose()
    }

    function test_subTitle() {
        var box = open("First line", "OK", "", "", 0, 0, 0)
        box.setSubTitle("one")
        compare(box.headerText, "First line\none")
        box.setSubTitle("two")
        compare(box.headerText, "First line\ntwo")
        box.setTitle("")
        box.setSubTitle("alone")
        compare(box.headerText, "alone")
    }

    function test_stackIgnoresInputWhileABoxIsShown() {
        var stack = helper.stack()
        var box = openYesNo()
        verify(!stack.enabled)
        verify(findChild(helper.window.contentItem, "messageBoxContainer").visible)
        keyClick(Qt.Key_F2)
        expectResult(box, Qt.Key_F2)
        verify(stack.enabled)
        tryVerify(function() { return helper.current().activeFocus })
        verify(!findChild(helper.window.contentItem, "messageBoxContainer").visible)
    }

    function test_boxKeepsTheKeyboard() {
        var box = openYesNo()
        helper.current().forceActiveFocus()
        verify(box.activeFocus)
    }

    // A lower box that closes first (a timed notice under a question) leaves the question on top
    // with the keyboard.
    function test_lowerBoxClosingFirstKeepsTheTopBox() {
        var items = mainItem()
        var lower = items.addMessageBox()
        lower.setVisible("Notice", "", "", "", "", "", 0, 0, 0)
        var upper = openYesNo()
        compare(items.messageBoxListCounter, 2)
        verify(lower.objectName !== upper.objectName)
        lower.setClose()
        compare(items.messageBoxListCounter, 1)
        verify(items.checkLastMessageBox(upper.objectName))
        verify(upper.activeFocus)
        verify(!helper.stack().enabled)
        keyClick(Qt.Key_F2)
        expectResult(upper, Qt.Key_F2)
        compare(items.messageBoxListCounter, 0)
        verify(helper.stack().enabled)
    }

    function test_boxNamesFollowTheCount() {
        var items = mainItem()
        var first = items.addMessageBox()
        var second = items.addMessageBox()
        compare(first.objectName, "messageBox0")
        compare(second.objectName, "messageBox1")
        second.setVisible("x", "", "", "", "", "", 0, 0, 0)
        second.setClose()
        var third = items.addMessageBox()
        compare(third.objectName, "messageBox1")
        first.destroy()
        wait(0)
        compare(items.messageBoxListCounter, 1)
    }

    function test_calibrationBox() {
        var calibration = helper.find("msgBoxCalibration")
        systemHw.batteryCalibrationMessage = "Battery calibration"
        systemHw.isInCalibration = true
        verify(helper.find("calibrationLayer").visible)
        verify(calibration.visible)
        compare(calibration.headerText, "Battery calibration")
        compare(calibration.textF3, "Cancel")
        compare(mainItem().messageBoxListCounter, 0)
        keyClick(Qt.Key_Escape)
        tryCompare(calibration, "visible", false)
        compare(systemHw.calls, ["touchListenerListenTo", "disableCalibration"])
        verify(!helper.find("calibrationLayer").visible)
    }
}
