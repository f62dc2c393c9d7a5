import QtQuick 2.15
import QtTest 1.2
import Qt.labs.folderlistmodel 2.15
import velmora.Orvane 1.0

// The log-export screen: EXPORT copies the events logs into the USB folder, DELETE deletes them
// only when the operator confirms, and the application object reports the outcome.
TestCase {
    id: testCase
    name: "LogExport"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    FileSystemProxyModel {
        id: files
    }

    Utils {
        id: fileUtils
    }

    FolderListModel {
        id: usbFolder
        // The folder's URL with the usual three slashes (the store's URL has one more).
        folder: files.getPathString(false).replace(/^file:\/+/, "file:///")
        nameFilters: ["Events_*.log"]
        showDirs: false
    }

    function initTestCase() {
        testSupport.recordWarnings()
    }

    function init() {
        helper.create()
        testSupport.resetWarnings()
        for (var i = 0; i < usbFolder.count; ++i)
            fileUtils.deleteFile(usbFolder.get(i, "filePath"))
        tryCompare(usbFolder, "count", 0)
    }

    function cleanup() {
        helper.dispose()
        application.currentLanguage = OrvaneEnum.LANGUAGE_ENG
        application.isHighContrast = false
    }

    function openExport() {
        var screen = helper.window.openScreen("qrc:/menu/Export.qml", { "objectName": "ExportLog",
                                                                       "formTitle": "EXPORT LOG", "formParam": "" })
        verify(screen !== null)
        helper.waitForStack()
        return screen
    }

    function test_mainMenuOpensTheScreen() {
        var menu = helper.current()
        menu.view.setCurrentIndex(1)
        helper.tap(findChild(menu, "menuIcon_ExportLog"))
        tryCompare(helper.stack(), "depth", 2)
        helper.waitForStack()
        var screen = helper.current()
        compare(screen.objectName, "ExportLog")
        compare(screen.formTitle, "EXPORT LOG")
        verify(!findChild(screen, "swipeView").visible)
        compare(findChild(screen, "bottomRect").height, 0)
        verify(findChild(screen, "backIcon").visible)
        helper.tap(findChild(screen, "backIcon"))
        helper.waitForStack()
        compare(helper.stack().depth, 1)
    }

    function test_exportCopiesTheLogsToTheUsbFolder() {
        var screen = openExport()
        helper.tap(findChild(screen, "exportButton"))
        tryCompare(helper.find("infoText"), "text", "DONE!")
        tryVerify(function() { return usbFolder.count >= 1 }, 20000, "the events log was copied")
        verify(/^Events_.*\.log$/.test(usbFolder.get(0, "fileName")))
        compare(messageBox.questions, [])
        compare(testSupport.warnings, [])
    }

    function test_deleteAsksFirst_data() {
        return [{ "tag": "refused", "answer": false }, { "tag": "confirmed", "answer": true }]
    }

    function test_deleteAsksFirst(data) {
        var screen = openExport()
        messageBox.answer = data.answer
        helper.tap(findChild(screen, "deleteButton"))
        compare(messageBox.questions, ["Delete log files"])
        if (data.answer) {
            tryCompare(helper.find("infoText"), "text", "DONE!")
        } else {
            wait(100)
            compare(helper.find("infoText").text, "")
        }
    }

    function test_buttons_data() {
        return [{ "tag": "normal", "highContrast": false, "fill": "#e9dd2f", "text": "#363636" },
                { "tag": "high contrast", "highContrast": true, "fill": "#363636", "text": "#e9dd2f" }]
    }

    function test_buttons(data) {
        application.isHighContrast = data.highContrast
        application.currentLanguage = OrvaneEnum.LANGUAGE_DEU
        var screen = openExport()
        var exportButton = findChild(screen, "exportButton")
        var deleteButton = findChild(screen, "deleteButton")
        compare(exportButton.width, 180)
        compare(exportButton.height, 65)
        compare(deleteButton.y - exportButton.y, 75)
        verify(Qt.colorEqual(exportButton.color, data.fill))
        verify(Qt.colorEqual(exportButton.children[0].color, data.text))
        compare(exportButton.children[0].text, "EXPORTIEREN")
        compare(deleteButton.children[0].text, "LÖSCHEN")
        var centre = exportButton.mapToItem(screen, 0, 0)
        compare(centre.x + exportButton.width / 2, screen.width / 2)
    }
}
