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
            { tag: "default size", width: 750, height: 900, logLines: 0 },
            { tag: "smallest", width: 750, height: 850, logLines: 0 },
            { tag: "1000 by 850", width: 1000, height: 850, logLines: 0 },
            { tag: "default size, 100 log lines", width: 750, height: 900, logLines: 100 },
            { tag: "smallest, 100 log lines", width: 750, height: 850, logLines: 100 },
            { tag: "1000 by 1100, 100 log lines", width: 1000, height: 1100, logLines: 100 }
        ]
    }

    function test_everyTab(data) {
        compare(window.minimumWidth, 750)
        compare(window.minimumHeight, 850)
        window.width = data.width
        window.height = data.height
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
        // The tab area keeps its height, whatever the log holds; the log keeps at least its least.
        compare(findChild(window.contentItem, "tabArea").height, 420)
        verify(window.logArea.height >= 50, window.logArea.height)
    }

    // The pages that have no scroll bar of their own fit the tab area whole in the smallest window:
    // their last control ends inside the page.
    function test_pagesFitTheTabArea_data() {
        return [
            { tag: "Commands", tab: 0, last: "restartSequenceButton" },
            { tag: "Internal Sequence", tab: 4, last: "removeSequenceRow" },
            { tag: "Starting List", tab: 8, last: "removeStartingListRow" },
            { tag: "Starting List, actions", tab: 8, last: "saveStartingList" }
        ]
    }

    function test_pagesFitTheTabArea(data) {
        window.width = window.minimumWidth
        window.height = window.minimumHeight
        window.tabBar.currentIndex = data.tab
        waitForRendering(window.contentItem)
        var page = findChild(window.contentItem, "tabStack")
        var last = findChild(page.children[data.tab], data.last)
        verify(last !== null, data.last)
        var bottomRight = last.mapToItem(page, last.width, last.height)
        verify(bottomRight.y <= page.height && bottomRight.x <= page.width,
               data.last + " ends at " + bottomRight.x + "," + bottomRight.y + ", the page at " + page.width + "," + page.height)
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

    FontMetrics {
        id: metrics
    }

    // The visible choosers under the item, in the order of its children.
    function choosersUnder(item, found) {
        for (var i = 0; i < item.children.length; ++i) {
            var child = item.children[i]
            if (!child.visible)
                continue
            if (child.popup !== undefined && child.delegateModel !== undefined)
                found.push(child)
            else
                choosersUnder(child, found)
        }
        return found
    }

    // Scrolls the page that holds the item until the item is inside it.
    function scrollIntoView(item) {
        for (var view = item.parent; view; view = view.parent) {
            if (view.contentY === undefined || view.contentHeight === undefined)
                continue
            var top = item.mapToItem(view.contentItem, 0, 0).y
            if (top < view.contentY || top + item.height > view.contentY + view.height)
                view.contentY = Math.max(0, Math.min(top - 5, view.contentHeight - view.height))
            return
        }
    }

    // The faults of one chooser's open list: each entry's text drawn whole, inside the window,
    // clear of its check mark, and at the list's one size.
    function listFaults(chooser) {
        var faults = []
        var list = chooser.popup.contentItem
        var size = -1
        for (var i = 0; i < list.count; ++i) {
            list.positionViewAtIndex(i, ListView.Contain)
            var entry = list.itemAtIndex(i)
            var text = entry.contentItem
            var name = "entry '" + entry.text + "'"
            if (text.text !== entry.text || entry.text === "")
                faults.push(name + " shows '" + text.text + "'")
            var room = text.width - text.leftPadding - text.rightPadding
            if (text.truncated || text.contentWidth > room + 0.5)
                faults.push(name + " needs " + text.contentWidth + " px and has " + room)
            var markEnd = entry.indicator.x + entry.indicator.width
            if (text.x + text.leftPadding < markEnd)
                faults.push(name + " begins under the check mark")
            metrics.font = text.font
            // A text shrunk to fit is narrower than the same text at its size.
            if (Math.abs(text.contentWidth - metrics.advanceWidth(text.text)) > 1)
                faults.push(name + " drawn " + text.contentWidth + " px wide, " + metrics.advanceWidth(text.text)
                            + " px at its size")
            if (size < 0)
                size = text.font.pixelSize
            if (text.font.pixelSize !== size || size < 12)
                faults.push(name + " at " + text.font.pixelSize + " px, the list at " + size)
            var left = text.mapToItem(window.contentItem, text.leftPadding, 0).x
            if (left < 0 || left + text.contentWidth > window.width)
                faults.push(name + " lies outside the window")
        }
        return faults
    }

    function test_everyChoosersList_data() {
        return [{ tag: "750 wide", width: 750 }, { tag: "1000 wide", width: 1000 }]
    }

    function test_everyChoosersList(data) {
        window.width = data.width
        window.sequenceEditorTab.addRow()
        var faults = []
        var seen = 0
        for (var i = 0; i < window.tabBar.count; ++i) {
            window.tabBar.currentIndex = i
            waitForRendering(window.contentItem)
            var title = window.tabBar.itemAt(i).text
            var choosers = choosersUnder(findChild(window.contentItem, "tabStack").children[i], [])
            for (var j = 0; j < choosers.length; ++j) {
                var chooser = choosers[j]
                scrollIntoView(chooser)
                chooser.popup.open()
                tryVerify(function() { return chooser.popup.opened })
                waitForRendering(window.contentItem)
                var found = listFaults(chooser)
                for (var k = 0; k < found.length; ++k)
                    faults.push(title + ", " + (chooser.objectName || "chooser " + j) + ": " + found[k])
                chooser.popup.close()
                tryVerify(function() { return !chooser.popup.visible })
                ++seen
            }
        }
        // The Commands tab's mode, the Settings tab's nineteen, the Sema tab's two, the sequence
        // row's four and the GPS form's two.
        compare(seen, 28)
        compare(faults, [], faults.join("\n"))
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
