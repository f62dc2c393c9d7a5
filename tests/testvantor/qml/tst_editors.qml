import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// The editors of TestVantor's window used with the mouse and the keyboard: a chooser in any row
// opens with one click, a starting-list row is typed from cell to cell with Return, and the start
// time and date the window proposes belong together.
TestCase {
    id: testCase
    name: "Editors"
    when: windowShown

    property var window: null

    function initTestCase() {
        testSupport.recordWarnings()
    }

    function init() {
        testSupport.resetWarnings()
        window = createWindow()
    }

    function cleanup() {
        testTools.resetClock()
        window.semaSequenceModel.clear()
        window.semaStartingListModel.clear()
        window.destroy()
        window = null
        wait(0)
        compare(testSupport.warnings, [])
    }

    function createWindow() {
        var component = Qt.createComponent("qrc:/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        var created = component.createObject(null)
        verify(created !== null)
        waitForRendering(created.contentItem)
        return created
    }

    function cell(list, row, name) {
        var rowItem = list.itemAtIndex(row)
        verify(rowItem !== null, "no row " + row)
        var found = findChild(rowItem, name)
        verify(found !== null, "no " + name + " in row " + row)
        return found
    }

    function typeKeys(text) {
        for (var i = 0; i < text.length; ++i)
            keyClick(text.charAt(i))
    }

    function test_chooserOfAnotherRowOpensWithOneClick_data() {
        return [
            { tag: "light", chooser: "lightChooser", entry: "Red", field: "color", value: SemaEnum.SEMA_COLOR_RED },
            { tag: "tone", chooser: "toneChooser", entry: "Long Boop", field: "sound",
                value: SemaEnum.SEMA_SOUND_LONG_BOOP },
            { tag: "window", chooser: "windowChooser", entry: "No False", field: "isFalseStartWindow", value: false },
            { tag: "sign", chooser: "signChooser", entry: "-", field: "time", value: -5 }
        ]
    }

    function test_chooserOfAnotherRowOpensWithOneClick(data) {
        window.tabBar.currentIndex = 4
        var tab = window.sequenceEditorTab
        tab.addRow()
        tab.addRow()
        window.semaSequenceModel.setProperty(0, "time", 5)
        waitForRendering(window.contentItem)
        var list = tab.sequenceList
        compare(list.currentIndex, 1)
        var chooser = cell(list, 0, data.chooser)
        mouseClick(chooser)
        compare(list.currentIndex, 0)
        tryVerify(function() { return chooser.popup.opened }, 20000, "the list did not open")
        var entries = chooser.popup.contentItem
        var clicked = false
        for (var i = 0; i < entries.count && !clicked; ++i) {
            var entry = entries.itemAtIndex(i)
            if (entry && entry.text === data.entry) {
                mouseClick(entry)
                clicked = true
            }
        }
        verify(clicked, "no entry " + data.entry)
        tryCompare(window.semaSequenceModel.get(0), data.field, data.value)
        compare(window.semaSequenceModel.get(1).time, 0)
    }

    function test_startingListRowTypedFromCellToCell() {
        window.tabBar.currentIndex = 8
        var tab = window.startingListEditorTab
        tab.addRow()
        waitForRendering(window.contentItem)
        var list = tab.startingList
        mouseClick(cell(list, 0, "bibCell"))
        typeKeys("17")
        keyClick(Qt.Key_Return)
        verify(cell(list, 0, "startTimeCell").activeFocus)
        typeKeys("103000")
        keyClick(Qt.Key_Return)
        verify(cell(list, 0, "dateCell").activeFocus)
        typeKeys("010224")
        keyClick(Qt.Key_Return)
        var row = window.semaStartingListModel.get(0)
        compare(row.bibNumber, 17)
        compare(row.time, "10:30:00")
        compare(row.date, "01/02/24")
    }

    function test_startDateBelongsToTheStartTime_data() {
        // The tests run in Europe/Rome: one hour ahead of UTC in winter, two in summer.
        return [
            { tag: "winter, just after local midnight", utc: Date.UTC(2024, 2, 9, 23, 30, 10),
                time: "00:31:00", date: "10/03/2024" },
            { tag: "summer, just after local midnight", utc: Date.UTC(2024, 6, 14, 22, 5, 0),
                time: "00:06:00", date: "15/07/2024" },
            { tag: "the next minute is tomorrow", utc: Date.UTC(2024, 2, 9, 22, 59, 30),
                time: "00:00:00", date: "10/03/2024" },
            { tag: "afternoon", utc: Date.UTC(2024, 2, 9, 14, 0, 0), time: "15:01:00", date: "09/03/2024" }
        ]
    }

    function test_startDateBelongsToTheStartTime(data) {
        window.destroy()
        testTools.setClock(data.utc)
        window = createWindow()
        compare(window.commandsTab.startTimeInput.displayText, data.time)
        compare(window.commandsTab.startDateInput.displayText, data.date)
        compare(window.semaTab.showTimeInput.displayText, data.time)
        compare(window.semaTab.showDateInput.displayText, data.date)
    }
}
