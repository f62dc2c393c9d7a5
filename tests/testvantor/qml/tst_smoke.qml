import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// TestVantor's window loaded offscreen: it builds without a single QML warning, every tab can be
// shown, and the window's own logic (status panel, choosers, editors, events, log) behaves.
TestCase {
    id: testCase
    name: "Smoke"
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
        var warnings = testSupport.warnings
        // Deleted while this test still holds it: a window nothing refers to belongs to the
        // garbage collector, and a collection during its deletion would crash the program.
        var going = window
        going.destroy()
        wait(0)
        tryVerify(function() { return going.objectName === undefined }, 20000, "the window is deleted")
        window = null
        compare(warnings, [])
    }

    function find(name, from) {
        return findChild(from ? from : window.contentItem, name)
    }

    function test_windowAndTabs() {
        compare(window.objectName, "MainForm")
        compare(window.width, 750)
        compare(window.height, 900)
        verify(window.isCompleted)
        compare(window.tabBar.count, 11)
        for (var i = 0; i < window.tabBar.count; ++i) {
            window.tabBar.currentIndex = i
            wait(20)
        }
        compare(find("bannerText").text, "DISCONNECTED")
        verify(find("connectButton").enabled)
        verify(!find("disconnectButton").enabled)
        compare(find("ipAddressInput").displayText, "127.000.000.001")
    }

    function test_addMsg() {
        verify(/^\[\d\d:\d\d:\d\d\.\d\d\d\] hello$/.test(window.addMsg("hello")))
        window.log("line")
        verify(window.logArea.allLines()[0].indexOf("] line") > 0)
    }

    function test_runningTimeText() {
        compare(window.runningTimeText(new Date(2024, 0, 1, 10, 5, 3, 45)), "5:03.04")
        compare(window.runningTimeText(new Date(2024, 0, 1, 10, 59, 59, 999)), "59:59.99")
    }

    function test_initialStartTimeIsTheNextMinute() {
        var text = window.commandsTab.startTimeInput.displayText
        verify(/^\d\d:\d\d:00$/.test(text), text)
        compare(window.commandsTab.repetitionInput.displayText, "00:01:00")
        verify(/^\d\d\/\d\d\/\d\d\d\d$/.test(window.commandsTab.startDateInput.displayText))
    }

    function test_manualModeDisablesTimeInputs() {
        verify(window.commandsTab.startTimeInput.enabled)
        window.commandsTab.modeChooser.currentIndex = 0
        compare(sema.sequenceMode, SemaEnum.SEQUENCE_MODE_MANUAL)
        verify(!window.commandsTab.startTimeInput.enabled)
        compare(String(window.commandsTab.startTimeInput.color), "#808080")
        window.commandsTab.modeChooser.currentIndex = 1
        compare(sema.sequenceMode, SemaEnum.SEQUENCE_MODE_AUTO)
    }

    function test_sequenceListSelection() {
        window.sequenceList = [{ "SequenceName": "Morning", "SequenceId": "S-1" },
                               { "SequenceName": "Evening", "SequenceId": "S-2" }]
        var list = window.commandsTab.sequenceListView
        list.currentIndex = 1
        compare(window.commandsTab.sequenceIdInput.text, "S-2")
        compare(window.commandsTab.sequenceNameInput.text, "Evening")
        window.sequenceList = []
        compare(list.currentIndex, -1)
        compare(window.commandsTab.sequenceIdInput.text, "")
        compare(window.commandsTab.sequenceNameInput.text, "")
    }

    function test_statusPanelCells() {
        window.statusBibNumber = "0"
        verify(!find("cellBibNumber").visible)
        window.statusBibNumber = "12"
        verify(find("cellBibNumber").visible)
        window.statusIsGPSEnabled = ""
        verify(find("cellIsGPSValid").visible)
        window.statusIsGPSEnabled = "Disabled"
        verify(!find("cellIsGPSValid").visible)
        verify(!find("cellGPSNumSatellites").visible)
        window.statusIsWifiEnabled = "Enabled"
        window.statusWifiSignalLevel = "-60"
        compare(find("cellWifi").text, "Wifi: Enabled (-60)")
        verify(!find("cellColor").visible)
        window.statusColor = "RED"
        verify(find("cellColor").visible)
    }

    function test_settingsChoosers() {
        var tab = window.settingsTab
        window.tabBar.currentIndex = 2
        wait(20)
        tab.applySettings3(undefined, 1, 5, 0, 35, 0)
        compare(tab.chooser("brightness").currentIndex, 0)
        compare(tab.chooser("displayboardTimeColor").currentIndex, 0)
        compare(tab.chooser("displayboardMode").currentIndex, 1)
        compare(tab.chooser("powerSaveTime").currentIndex, 3)
        compare(tab.chooser("brightnessMode").currentIndex, 1)
        tab.applySettings2(false, 2, true, false, undefined)
        compare(tab.chooser("delayFalseStart").currentIndex, 0)
        compare(tab.chooser("isGenerateStart").currentIndex, 1)
        compare(tab.chooser("offMode").currentIndex, 2)
        tab.applySettings3(0, 0, 0, 1, 10, 7)
        tab.applySettings2(true, 0, true, true, 0)
        compare(tab.value("language"), OrvaneEnum.LANGUAGE_ENG)
        compare(tab.value("brightnessMode"), OrvaneEnum.MANUAL_BRIGHTNESS)
        compare(tab.value("displayboardTimeColor"), OrvaneEnum.DISP_COLOR_WHITE)
        compare(tab.value("isHighContrast"), true)
    }

    function test_repetitionAnswerKeepsEmptyFields() {
        var tab = window.repetitionTimesTab
        tab.indexInput.text = "2"
        tab.applyTimes("00:01:30", "", "00:03:00", "")
        compare(tab.time1Input.text, "00:01:30")
        compare(tab.time2Input.text, "")
        compare(tab.indexInput.text, "2")
    }

    function test_eventsLines() {
        window.eventsTab.addEvent("1", "10:00:00.1234", "01/02/2024", false, 0)
        window.eventsTab.addEvent("3", "10:00:01", "01/02/2024", true, 17)
        var lines = window.eventsTab.eventsList.allLines()
        compare(lines[0], "1 - 10:00:00.1234 - 01/02/2024")
        compare(lines[1], "3 - 10:00:01 - 01/02/2024 - Auto - 17")
    }

    function test_sequenceEditorRows() {
        var tab = window.sequenceEditorTab
        window.tabBar.currentIndex = 4
        wait(20)
        tab.insertRow()
        compare(window.semaSequenceModel.count, 1)
        window.semaSequenceModel.setProperty(0, "time", 5)
        tab.addRow()
        compare(tab.sequenceList.currentIndex, 1)
        tab.sequenceList.currentIndex = 0
        tab.insertRow()
        compare(window.semaSequenceModel.count, 3)
        compare(tab.sequenceList.currentIndex, 1)
        compare(window.semaSequenceModel.get(1).time, 5)
        compare(window.semaSequenceModel.get(0).sound, SemaEnum.SEMA_SOUND_BIP)
        compare(window.semaSequenceModel.get(0).isFalseStartWindow, true)
        var rows = tab.rowList()
        compare(rows.length, 3)
        compare(rows[1].time, 5)
        tab.removeRow()
        compare(window.semaSequenceModel.count, 2)
        window.semaSequenceModel.clear()
    }

    function test_startingListEditorRows() {
        var tab = window.startingListEditorTab
        window.tabBar.currentIndex = 8
        wait(20)
        tab.addRow()
        compare(window.semaStartingListModel.get(0).time, "00:00:00")
        compare(window.semaStartingListModel.get(0).date, "")
        compare(tab.rowList()[0].bibNumber, 0)
        window.semaStartingListModel.clear()
    }

    function test_checksShowMessages() {
        window.tabBar.currentIndex = 4
        var tab = window.sequenceEditorTab
        tab.sequenceIdInput.text = ""
        tab.sequenceNameInput.text = "N"
        tab.saveTo("file:///tmp/never-written.json")
        verify(window.messageDialog.visible)
        compare(window.messageDialog.text, "Insert the sequence ID")
        window.messageDialog.close()
    }

    function test_deleteByIdNeedsTheId() {
        window.isConnected = true
        var tab = window.sequenceEditorTab
        tab.sequenceIdInput.text = ""
        tab.sequenceNameInput.text = "Morning"
        find("deleteSequenceById", tab).clicked()
        verify(window.messageDialog.visible)
        compare(window.messageDialog.text, "Insert the sequence id")
        window.messageDialog.close()
        var list = window.startingListEditorTab
        list.startingListIdInput.text = ""
        list.startingListNameInput.text = "Heat"
        find("deleteStartingListById", list).clicked()
        compare(window.messageDialog.text, "Insert the StartingList id")
        window.messageDialog.close()
        window.isConnected = false
    }

    function test_gpsChoosers() {
        var gps = window.gpsForm
        compare(gps.syncModeChooser.currentText, "None")
        compare(gps.timeZoneChooser.currentText, "UTC")
        compare(gps.timeZoneChooser.count, 38)
        compare(gps.timeZoneChooser.model[4].text, "UTC+03:30")
        compare(gps.timeZoneChooser.model[37].text, "UTC-14:00")
        gps.selectValue(gps.timeZoneChooser, 60)
        compare(gps.timeZoneChooser.currentText, "UTC+01:00")
        gps.selectValue(gps.timeZoneChooser, 45)
        compare(gps.timeZoneChooser.currentText, "UTC+01:00")
    }

    function test_networkList() {
        var network = window.networkForm
        var list = [{ "SSID": "A", "Quality": "Good", "Selected": false, "Password": "a" },
                    { "SSID": "B", "Quality": "Low", "Selected": true, "Password": "b" }]
        network.installList(list)
        compare(network.currentSelectedItem.SSID, "A")
        compare(network.passwordField.text, "a")
        network.networkList.currentIndex = 1
        compare(network.currentSelectedItem.SSID, "B")
        // A new list that still holds the selected network keeps it, wherever it now stands.
        network.installList([list[1], list[0]].reverse().reverse())
        compare(network.currentSelectedItem.SSID, "B")
        compare(network.networkList.currentIndex, 0)
        network.installList([{ "SSID": "C", "Quality": "", "Selected": false, "Password": "" }])
        compare(network.currentSelectedItem.SSID, "C")
        network.clearList()
        compare(network.currentSelectedItem, null)
        verify(!network.selectButton.enabled)
    }
}
