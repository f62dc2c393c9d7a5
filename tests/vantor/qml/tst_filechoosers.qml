import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// The sequence and starting-list file choosers over real folders, and the starting-list viewer.
TestCase {
    id: testCase
    name: "FileChoosers"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    readonly property string custom: testSupport.dataFolder("Custom")
    readonly property string usb: testSupport.dataFolder("USB")

    function writeJson(path, object) {
        verify(testSupport.writeFile(path, JSON.stringify(object)), path)
    }

    function sequence(name, id) {
        var object = { "Sequence": [] }
        if (name !== undefined)
            object.SequenceName = name
        if (id !== undefined)
            object.SequenceId = id
        return object
    }

    function startingList(name, id) {
        return { "StartingListName": name, "StartingListId": id, "StartingList": [] }
    }

    function init() {
        testSupport.removePath(custom)
        testSupport.removePath(usb)
        testSupport.writeFile(custom + "/.keep", "")
        testSupport.writeFile(usb + "/.keep", "")
        helper.create()
        sema.startingListRefusal = ""
        sema.errorMessage = ""
        sema.startingLists = {}
        testSupport.recordWarnings()
        testSupport.resetWarnings()
    }

    function cleanup() {
        helper.dispose()
        application.currentLanguage = 0
    }

    function open(url, objectName, param) {
        var screen = helper.window.openScreen(url, { "objectName": objectName, "formTitle": "CUSTOM",
                                                     "formParam": param, "pageSource": "" })
        verify(screen !== null, url)
        helper.waitForStack()
        return screen
    }

    function entries(screen) {
        var list = []
        for (var i = 0; screen.menuModel && i < screen.menuModel.count; ++i)
            list.push(screen.menuModel.get(i))
        return list
    }

    function titles(screen) {
        return entries(screen).map(function(entry) { return entry.title }).sort()
    }

    function iconNamed(screen, name) {
        return findChild(screen.view, "menuIcon_" + name)
    }

    function test_sequenceChooserListsNamedSequences() {
        writeJson(custom + "/alpha.json", sequence("Alpha", "1"))
        writeJson(custom + "/Upper.JSON", sequence("Beta", "2"))
        writeJson(custom + "/noname.json", sequence(undefined, "3"))
        testSupport.writeFile(custom + "/broken.json", "{\"SequenceName\":")
        writeJson(custom + "/notes.txt", sequence("Text", "4"))
        writeJson(usb + "/usb.json", sequence("From USB", "5"))
        var screen = open("qrc:/menu/Import.qml", "importCustom", "custom")
        compare(screen.internalMemory, true)
        tryCompare(screen, "modelCount", 2)
        compare(titles(screen), ["Alpha", "Beta"])
        var alpha = entries(screen).filter(function(entry) { return entry.title === "Alpha" })[0]
        verify(/\/Custom\/alpha\.json$/.test(alpha.name), alpha.name)
        compare(alpha.text, "Alpha")
        compare(alpha.page, "qrc:/menu/HandleSequence.qml")
        compare(alpha.param, "")

        var usbScreen = open("qrc:/menu/Import.qml", "importUsb", "USB")
        compare(usbScreen.internalMemory, false)
        tryCompare(usbScreen, "modelCount", 1)
        compare(titles(usbScreen), ["From USB"])
        compare(testSupport.warnings, [])
    }

    function test_tapOpensTheRunScreenForTheFile() {
        writeJson(custom + "/alpha.json", sequence("Alpha", "1"))
        var screen = open("qrc:/menu/Import.qml", "importCustom", "custom")
        tryCompare(screen, "modelCount", 1)
        var path = entries(screen)[0].name
        waitForRendering(screen)
        helper.tap(iconNamed(screen, path))
        tryVerify(function() { return helper.current() !== screen }, 20000)
        helper.waitForStack()
        var run = helper.current()
        verify(run.isRunScreen)
        compare(run.objectName, path)
        compare(run.formTitle, "Alpha")
        verify(sema.indexOf("setCustomSequenceFromFile(" + path + ")") >= 0)
    }

    function test_longPressOpensTheIntervals() {
        writeJson(custom + "/alpha.json", sequence("Alpha", "1"))
        var screen = open("qrc:/menu/Import.qml", "importCustom", "custom")
        tryCompare(screen, "modelCount", 1)
        var path = entries(screen)[0].name
        waitForRendering(screen)
        var icon = iconNamed(screen, path)
        icon.longPressTime = 50
        mousePress(icon, icon.width / 2, icon.height / 2)
        tryVerify(function() { return !icon.longPressTimer.running }, 20000, "the press is held long")
        mouseRelease(icon, icon.width / 2, icon.height / 2)
        tryVerify(function() { return helper.current().objectName === path }, 20000)
        compare(helper.current().formMenuTitle, "Sequence")
        compare(testSupport.warnings, [])
    }

    function test_filesWrittenWhileOpenAreListedOnce() {
        writeJson(custom + "/alpha.json", sequence("Alpha", "1"))
        var screen = open("qrc:/menu/Import.qml", "importCustom", "custom")
        tryCompare(screen, "modelCount", 1)
        for (var i = 0; i < 4; ++i)
            writeJson(custom + "/Sequence_" + (i + 1) + "_10_00_00.json", sequence("Remote " + i, "r" + i))
        application.internalFilesChanged()
        tryCompare(screen, "modelCount", 5)
        compare(titles(screen), ["Alpha", "Remote 0", "Remote 1", "Remote 2", "Remote 3"])
        compare(screen.pageCount, 2)
        compare(screen.swipeViewRepeater.count, 2)
        screen.view.currentIndex = 1
        testSupport.removePath(custom + "/alpha.json")
        application.internalFilesChanged()
        tryCompare(screen, "modelCount", 4)
        // The page shown stays while it still exists.
        compare(screen.view.currentIndex, 1)
        compare(testSupport.warnings, [])
    }

    function test_languageChangeKeepsTheEntries() {
        writeJson(custom + "/alpha.json", sequence("Alpha", "1"))
        var screen = open("qrc:/menu/ImportStartingList.qml", "ImportStartingListForm", "custom")
        testSupport.writeFile(custom + "/list.xlsx", "not read for the listing")
        tryCompare(screen, "modelCount", 1)
        application.currentLanguage = OrvaneEnum.LANGUAGE_ITA
        wait(50)
        compare(screen.modelCount, 1)
        compare(screen.swipeViewRepeater.count, 1)
        verify(iconNamed(screen, "ReadStartingList") !== null)
    }

    function test_startingListChooserListsEveryListOnce() {
        writeJson(custom + "/renamed.json", startingList("Race A", "a"))
        writeJson(custom + "/seq.json", sequence("Not a list", "s"))
        testSupport.writeFile(custom + "/Start.xlsx", "workbooks are listed by their names")
        testSupport.writeFile(custom + "/book.xls", "")
        testSupport.writeFile(custom + "/upper.XLSX", "read as JSON, which it is not")
        testSupport.writeFile(custom + "/notes.txt", "")
        var screen = open("qrc:/menu/ImportStartingList.qml", "ImportStartingListForm", "custom")
        tryCompare(screen, "modelCount", 3)
        wait(100)
        compare(screen.modelCount, 3)
        compare(titles(screen), ["Race A", "Start", "book"])
        entries(screen).forEach(function(entry) {
            compare(entry.name, "ReadStartingList")
            compare(entry.page, "")
            verify(entry.param.indexOf("/Custom/") >= 0, entry.param)
        })
        compare(testSupport.warnings, [])
    }

    function test_tapInstallsTheList_data() {
        return [{ "tag": "taken", "refusal": "", "stays": false },
                { "tag": "refused", "refusal": "Row 2 of the workbook is not a start", "stays": true }]
    }

    function test_tapInstallsTheList(data) {
        writeJson(custom + "/list.json", startingList("Race A", "a"))
        sema.startingListRefusal = data.refusal
        var screen = open("qrc:/menu/ImportStartingList.qml", "ImportStartingListForm", "custom")
        tryCompare(screen, "modelCount", 1)
        var path = entries(screen)[0].param
        waitForRendering(screen)
        helper.tap(iconNamed(screen, "ReadStartingList"))
        tryVerify(function() { return sema.indexOf("setStartingListFromFile(" + path + ")") >= 0 }, 20000)
        helper.waitForStack()
        if (data.stays) {
            compare(helper.current(), screen)
            compare(messageBox.notices, [data.refusal])
        } else {
            compare(helper.stack().depth, 1)
            compare(messageBox.notices, [])
        }
    }

    function test_viewerShowsTheEntriesAsStored() {
        writeJson(custom + "/list.json", startingList("Race A", "a"))
        var screen = open("qrc:/menu/ImportStartingList.qml", "ImportStartingListForm", "custom")
        tryCompare(screen, "modelCount", 1)
        var path = entries(screen)[0].param
        var starts = [{ "bibNumber": 12, "time": "09:30:00", "date": "12/05/24" },
                      { "bibNumber": 0, "time": "bad", "date": "" },
                      { "bibNumber": 14, "time": "09:32:00", "date": "" },
                      { "bibNumber": 15, "time": "09:33:00", "date": "31/02/2024" }]
        sema.startingLists = { [path]: { "startingListName": "Race A", "startingListId": "a",
                                         "startingList": starts } }
        waitForRendering(screen)
        var icon = iconNamed(screen, "ReadStartingList")
        icon.longPressTime = 50
        mousePress(icon, icon.width / 2, icon.height / 2)
        tryVerify(function() { return !icon.longPressTimer.running }, 20000, "the press is held long")
        mouseRelease(icon, icon.width / 2, icon.height / 2)
        tryVerify(function() { return helper.current().objectName === path }, 20000)
        helper.waitForStack()
        var viewer = helper.current()
        compare(viewer.formMenuTitle, "StartingList")
        verify(sema.indexOf("setStartingListFromFile(" + path + ")") < 0)
        tryCompare(viewer, "modelCount", 4)
        compare(viewer.pageCount, 2)
        tryVerify(function() { return findChild(viewer.view, "startsPage1") !== null }, 20000)
        var first = findChild(viewer.view, "start0")
        compare(findChild(first, "bibText").text, "Num 12")
        compare(findChild(first, "timeText").text, "09:30:00")
        compare(findChild(first, "dateText").text, "12/05/24")
        compare(findChild(findChild(viewer.view, "start1"), "bibText").text, "Num 0")
        compare(findChild(findChild(viewer.view, "start1"), "timeText").text, "bad")
        compare(findChild(findChild(viewer.view, "start3"), "dateText").text, "31/02/2024")
        verify(findChild(findChild(viewer.view, "startsPage1"), "start4") === null)

        // The next icon pages, and on the last page leaves.
        helper.tap(findChild(viewer, "nextTouch"))
        tryCompare(viewer.view, "currentIndex", 1)
        application.currentLanguage = OrvaneEnum.LANGUAGE_DEU
        tryCompare(findChild(findChild(viewer.view, "start3"), "bibText"), "text", "Nr. 15")
        helper.tap(findChild(viewer, "nextTouch"))
        helper.waitForStack()
        compare(helper.current(), screen)
        compare(testSupport.warnings, [])
    }

    function test_viewerOfAFileWithoutList() {
        var viewer = open("qrc:/menu/StartingList.qml", custom + "/missing.json", "")
        wait(50)
        verify(sema.indexOf("loadStartingList(" + custom + "/missing.json)") >= 0)
        compare(viewer.modelCount, 0)
        compare(viewer.swipeViewRepeater.count, 0)
        verify(!viewer.initializing)
    }
}
