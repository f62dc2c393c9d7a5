import QtQuick 2.15
import QtTest 1.2

// Every tab of TestVantor's window as a user sees it, at the narrowest and at a wider window, with
// an empty log and after a hundred log lines: no visible control without a size, outside the
// window, cut or covered by another item, and no text cut short.
TestCase {
    id: testCase
    name: "Layout"
    when: windowShown

    property var window: null

    function initTestCase() {
        testSupport.recordWarnings()
    }

    function init() {
        testSupport.resetWarnings()
        var component = Qt.createComponent("qrc:/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        window = component.createObject(null)
        verify(window !== null)
        waitForRendering(window.contentItem)
    }

    function cleanup() {
        compare(testSupport.warnings, [])
        window.destroy()
        window = null
        wait(0)
    }

    // The faults of every tab, each line prefixed with the tab's title.
    function faultsOfEveryTab() {
        var faults = []
        for (var i = 0; i < window.tabBar.count; ++i) {
            window.tabBar.currentIndex = i
            waitForRendering(window.contentItem)
            var title = window.tabBar.itemAt(i).text
            var found = testTools.layoutFaults(window.contentItem)
            for (var j = 0; j < found.length; ++j)
                faults.push(title + ": " + found[j])
        }
        return faults
    }

    function test_everyTab_data() {
        return [
            { tag: "750 wide", width: 750, logLines: 0 },
            { tag: "1000 wide", width: 1000, logLines: 0 },
            { tag: "750 wide, 100 log lines", width: 750, logLines: 100 },
            { tag: "1000 wide, 100 log lines", width: 1000, logLines: 100 }
        ]
    }

    function test_everyTab(data) {
        window.width = data.width
        for (var i = 0; i < data.logLines; ++i)
            window.log("Log line " + i)
        // Rows in both editors and a received status, so that their cells are looked at too.
        window.sequenceEditorTab.addRow()
        window.startingListEditorTab.addRow()
        window.statusColor = "RED"
        window.statusTime = "10:42:00"
        waitForRendering(window.contentItem)
        var faults = faultsOfEveryTab()
        compare(faults, [], faults.join("\n"))
        // The tab area and the status panel keep their heights, whatever the log holds.
        compare(findChild(window.contentItem, "tabArea").height, 400)
        compare(window.statusPanel.height, 300)
    }

    function test_everyTabIsReachableWithTheArrows_data() {
        return [{ tag: "750 wide", width: 750 }, { tag: "1000 wide", width: 1000 }, { tag: "1600 wide", width: 1600 }]
    }

    function test_everyTabIsReachableWithTheArrows(data) {
        window.width = data.width
        waitForRendering(window.contentItem)
        var next = findChild(window.contentItem, "nextTabButton")
        var previous = findChild(window.contentItem, "previousTabButton")
        var bar = window.tabBar
        var overflows = bar.contentWidth > bar.width + 1
        compare(next.visible, overflows)
        compare(previous.visible, overflows)
        verify(!previous.enabled)
        for (var i = 1; i < bar.count; ++i) {
            if (overflows)
                mouseClick(next)
            else
                mouseClick(bar.itemAt(i))
            compare(bar.currentIndex, i)
            // The current tab comes into view, whole.
            var tab = bar.itemAt(i)
            tryVerify(function() {
                var left = tab.mapToItem(bar, 0, 0).x
                return left >= -1 && left + tab.width <= bar.width + 1
            }, 2000, "tab " + i + " out of view")
        }
        if (overflows) {
            verify(!next.enabled)
            mouseClick(previous)
            compare(bar.currentIndex, bar.count - 2)
        }
    }

    function test_logScrollsInsideItsPlace() {
        var logView = window.logArea
        var before = logView.height
        verify(before >= 50, before)
        for (var i = 0; i < 100; ++i)
            window.log("Log line " + i)
        waitForRendering(window.contentItem)
        compare(logView.height, before)
        // The newest line is in view.
        var flickable = logView.view
        verify(flickable.contentHeight > flickable.height)
        tryVerify(function() { return flickable.atYEnd })
    }

    function test_dropDownEntriesShowTheirTextBesideTheCheckMark() {
        window.tabBar.currentIndex = 2
        waitForRendering(window.contentItem)
        var chooser = window.settingsTab.chooser("offMode")
        chooser.currentIndex = 2
        mouseClick(chooser)
        tryVerify(function() { return chooser.popup.opened })
        var list = chooser.popup.contentItem
        verify(list.count === 4)
        for (var i = 0; i < list.count; ++i) {
            var entry = list.itemAtIndex(i)
            verify(entry !== null)
            var text = entry.contentItem
            var textStart = text.x + text.leftPadding
            var markEnd = entry.indicator.x + entry.indicator.width
            verify(textStart >= markEnd, "entry " + i + ": text at " + textStart + ", check mark up to " + markEnd)
            verify(!text.truncated, "entry " + i + " cut")
        }
        chooser.popup.close()
    }
}
