import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// TestVantor's window driven as a user drives it, with the mouse and the keyboard, against a
// scripted server at the far end of the connection: what each button puts on the wire, the
// address typed into the masked entry, and the connection lines of the log.
TestCase {
    id: testCase
    name: "Wire"
    when: windowShown

    property var window: null
    property var server: null

    function initTestCase() {
        testSupport.recordWarnings()
    }

    function init() {
        testSupport.resetWarnings()
        sema.sequenceMode = SemaEnum.SEQUENCE_MODE_AUTO
        var component = Qt.createComponent("qrc:/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        window = component.createObject(null)
        verify(window !== null)
        waitForRendering(window.contentItem)
        server = testTools.newServer()
        verify(server !== null)
        testTools.usePort(window.backend, server.port())
    }

    function cleanup() {
        window.backend.disconnectClicked()
        window.destroy()
        window = null
        testTools.deleteServers()
        server = null
        sema.sequenceMode = SemaEnum.SEQUENCE_MODE_AUTO
        wait(0)
        compare(testSupport.warnings, [])
    }

    function find(name, from) {
        var item = findChild(from ? from : window.contentItem, name)
        verify(item !== null, "no item " + name)
        return item
    }

    function showTab(title) {
        for (var i = 0; i < window.tabBar.count; ++i) {
            if (window.tabBar.itemAt(i).text === title) {
                window.tabBar.currentIndex = i
                waitForRendering(window.contentItem)
                return
            }
        }
        fail("no tab " + title)
    }

    // Scrolls the view that holds the item until the item is inside it, as the user would.
    function scrollIntoView(item) {
        for (var view = item.parent; view; view = view.parent) {
            if (view.contentY === undefined || view.contentHeight === undefined)
                continue
            var top = item.mapToItem(view.contentItem, 0, 0).y
            if (top < view.contentY || top + item.height > view.contentY + view.height) {
                view.contentY = Math.max(0, Math.min(top - 5, view.contentHeight - view.height))
                waitForRendering(window.contentItem)
            }
            return
        }
    }

    // A click at the middle of the item, after checking that the user can reach it there.
    function click(item) {
        scrollIntoView(item)
        verify(item.visible && item.enabled, item.objectName + " cannot be clicked")
        mouseClick(item)
    }

    function press(name, from) {
        click(find(name, from))
    }

    function typeInto(input, text) {
        click(input)
        input.selectAll()
        keyClick(Qt.Key_Delete)
        for (var i = 0; i < text.length; ++i)
            keyClick(text.charAt(i))
    }

    // Opens the chooser with a click and clicks the entry with the given text.
    function choose(chooser, text) {
        click(chooser)
        tryVerify(function() { return chooser.popup.opened }, 20000, "the list of " + chooser.objectName + " did not open")
        var list = chooser.popup.contentItem
        for (var i = 0; i < list.count; ++i) {
            list.positionViewAtIndex(i, ListView.Contain)
            var entry = list.itemAtIndex(i)
            if (entry && entry.text === text) {
                mouseClick(entry)
                tryVerify(function() { return !chooser.popup.visible })
                compare(chooser.currentText, text)
                return
            }
        }
        fail("no entry " + text + " in " + chooser.objectName)
    }

    function connectTo(address) {
        typeInto(find("ipAddressInput"), address)
        press("connectButton")
        tryVerify(function() { return window.isConnected && server.hasClient() }, 5000, "not connected")
    }

    // The parameter object of the request number index, after waiting for it to arrive.
    function requestData(index, section) {
        tryVerify(function() { return server.requestCount() > index }, 5000, "no request " + section)
        var request = server.request(index)
        compare(request.type, "Sema")
        compare(request.section, section)
        compare(request.data.length, 1)
        return request.data[0]
    }

    function logText() {
        return window.logArea.allLines().join("\n")
    }

    function logLines(text) {
        return window.logArea.allLines().filter(function(line) { return line.endsWith("] " + text) }).length
    }

    function test_connectUsesTheTypedAddress() {
        connectTo("127.0.0.1")
        compare(window.backend.ipAddress, "127.0.0.1")
        compare(find("ipAddressInput").displayText, "127.000.000.001")
        compare(find("bannerText").text, "CONNECTED")
        compare(logLines("Connecting to Orvane..."), 1)
        compare(logLines("CONNECTED"), 1)
        verify(!find("connectButton").enabled)
    }

    function test_typedAddressGroups_data() {
        // Loopback addresses where nothing listens: the attempt is refused at once.
        return [
            { tag: "short groups", typed: "127.0.0.5", address: "127.0.0.5", shown: "127.000.000.005" },
            { tag: "full groups", typed: "127.010.001.020", address: "127.10.1.20", shown: "127.010.001.020" },
            { tag: "one digit each", typed: "127.1.2.3", address: "127.1.2.3", shown: "127.001.002.003" }
        ]
    }

    function test_typedAddressGroups(data) {
        window.backend.ipAddress = "127.0.0.1"
        typeInto(find("ipAddressInput"), data.typed)
        press("connectButton")
        compare(window.backend.ipAddress, data.address)
        tryCompare(find("ipAddressInput"), "displayText", data.shown)
        tryVerify(function() { return logText().indexOf("Error! Connection was refused") >= 0 }, 5000)
        verify(!window.isConnected)
        compare(logLines("DISCONNECTED"), 0)
    }

    function test_sendSetting() {
        connectTo("127.0.0.1")
        showTab("Settings")
        var tab = window.settingsTab
        choose(tab.chooser("language"), "Italiano")
        choose(tab.chooser("isHighContrast"), "OFF")
        choose(tab.chooser("offMode"), "Blinking red")
        choose(tab.chooser("outputSoundVolume"), "70")
        choose(tab.chooser("brightness"), "80")
        choose(tab.chooser("displayboardTimeColor"), "Blue")
        press("sendSettingsButton")
        compare(requestData(0, "SetSettings"), {
            "Language": 1, "DateFormat": 0, "TimeFormat": 0, "VisualizationMode": 0, "IsHighContrast": false,
            "IsTapHandlerEnabled": true, "IsShowTimeOfDay": true, "IsCheckFalseStart": true,
            "IsGenerateStart": true, "OffMode": 2, "IsSkipOutOfWindow": true, "IsRestartWithNextMinute": true,
            "DelayFalseStart": 0, "OutputSoundVolume": 70, "DisplayboardMode": 0, "PowerSaveTime": 0,
            "BrightnessMode": 1, "Brightness": 80, "DisplayboardTimeColor": 4 })
        press("getSettingsButton")
        compare(requestData(1, "GetSettings"), {})
    }

    // Settings read from Vantor go back as they were unless the user changed them, also those that
    // no entry of their chooser holds (a fresh Vantor reports brightness 1 and no language, 99).
    function test_sendSettingKeepsWhatWasRead() {
        connectTo("127.0.0.1")
        showTab("Settings")
        press("getSettingsButton")
        compare(requestData(0, "GetSettings"), {})
        var read = {
            "Language": 99, "DateFormat": 1, "TimeFormat": 1, "VisualizationMode": 3, "IsHighContrast": false,
            "IsTapHandlerEnabled": false, "IsShowTimeOfDay": false, "IsCheckFalseStart": false,
            "IsGenerateStart": false, "OffMode": 3, "IsSkipOutOfWindow": false, "IsRestartWithNextMinute": false,
            "DelayFalseStart": 4, "OutputSoundVolume": 50, "DisplayboardMode": 1, "PowerSaveTime": 7,
            "BrightnessMode": 0, "Brightness": 1, "DisplayboardTimeColor": 2 }
        server.send("Sema", "GetSettings", [read])
        var tab = window.settingsTab
        tryCompare(tab.chooser("brightness"), "displayText", "1")
        compare(tab.chooser("language").displayText, "99")
        compare(tab.chooser("powerSaveTime").displayText, "7")
        compare(tab.chooser("offMode").displayText, "All on")
        choose(tab.chooser("outputSoundVolume"), "70")
        press("sendSettingsButton")
        var expected = JSON.parse(JSON.stringify(read))
        expected.OutputSoundVolume = 70
        compare(requestData(1, "SetSettings"), expected)

        // A chooser the user changes sends the entry chosen, also one that showed a value read.
        choose(tab.chooser("brightness"), "40")
        compare(tab.chooser("brightness").displayText, "40")
        press("sendSettingsButton")
        expected.Brightness = 40
        compare(requestData(2, "SetSettings"), expected)

        // A new answer is what goes back again, until the user changes a chooser.
        read.Brightness = 60
        server.send("Sema", "GetSettings", [read])
        tryCompare(tab.chooser("brightness"), "displayText", "60")
        press("sendSettingsButton")
        compare(requestData(3, "SetSettings"), read)
    }

    // The milliseconds that adding lines and then a click on a tab cost the window, drawn again,
    // the median of five rounds.
    function costOfLines(addLine, tabIndex) {
        var costs = []
        for (var round = 0; round < 5; ++round) {
            var start = Date.now()
            for (var i = 0; i < 300; ++i)
                addLine("Line " + round + "." + i)
            mouseClick(window.tabBar.itemAt(round % 2 === 0 ? tabIndex : 0))
            waitForRendering(window.contentItem)
            costs.push(Date.now() - start)
        }
        costs.sort(function(a, b) { return a - b })
        return costs[2]
    }

    function test_floodOfLines_data() {
        return [
            { tag: "errors into the log", type: "SemaError", section: "GetStatus", data: [{ "Error": "Flooding" }],
                signalName: "someError", tab: 0 },
            { tag: "events", type: "Sema", section: "Event", data: [{ "PhysicalChannel": 1, "Time": "10:00:00.1234",
                    "Date": "01/02/2024", "IsAuto": true, "BibNumber": 7 }], signalName: "eventReceived", tab: 7 }
        ]
    }

    // Twenty thousand lines from Vantor: a line costs the window as much as with a short list, it
    // still answers a click at once, and its memory does not grow with the lines.
    function test_floodOfLines(data) {
        connectTo("127.0.0.1")
        window.tabBar.currentIndex = data.tab
        var addLine = data.tab === 0 ? window.log : function(text) { window.eventsTab.addEvent("1", text, "", false, 0) }
        var arrived = { "count": 0 }
        var count = function() { ++arrived.count }
        window.backend[data.signalName].connect(count)
        server.sendRepeated(data.type, data.section, data.data, 1000)
        tryVerify(function() { return arrived.count === 1000 }, 60000, "the first lines did not arrive")
        waitForRendering(window.contentItem)
        var shortListCost = costOfLines(addLine, data.tab)
        var memoryBefore = testTools.residentBytes()

        server.sendRepeated(data.type, data.section, data.data, 19000)
        tryVerify(function() { return arrived.count === 20000 }, 300000, "the flood did not arrive")
        waitForRendering(window.contentItem)
        var longListCost = costOfLines(addLine, data.tab)
        var memoryGrowth = testTools.residentBytes() - memoryBefore
        window.backend[data.signalName].disconnect(count)

        verify(longListCost <= 3 * shortListCost + 50,
               "300 lines and a click cost " + longListCost + " ms after 20000 lines, " + shortListCost + " ms after 1000")
        verify(memoryGrowth < 32 * 1024 * 1024, "memory grew by " + Math.round(memoryGrowth / 1048576) + " MiB")
        var list = data.tab === 0 ? window.logArea : window.eventsTab.eventsList
        compare(list.count, list.maxLines)
        var lines = list.allLines()
        verify(lines[lines.length - 1].indexOf("Line 4.299") >= 0, lines[lines.length - 1])
        // The newest line is in view.
        tryVerify(function() { return list.view.atYEnd })
    }

    function test_setSema() {
        connectTo("127.0.0.1")
        showTab("Sema")
        var tab = window.semaTab
        choose(tab.colorChooser, "Green")
        choose(tab.soundChooser, "Long Bip")
        typeInto(tab.textInput, "42")
        typeInto(tab.showTimeInput, "103000")
        typeInto(tab.showDateInput, "01022024")
        press("setSemaButton")
        compare(requestData(0, "SetSema"), { "ShowTime": "10:30:00", "ShowDate": "01/02/2024", "Text": "42",
                    "Color": SemaEnum.SEMA_COLOR_GREEN, "Sound": SemaEnum.SEMA_SOUND_LONG_BIP })
    }

    function test_startButtons_data() {
        return [
            { tag: "start, automatic", tab: "Commands", mode: "Automatic", button: "startSequenceButton",
                keys: ["SequenceMode", "StartTime", "StartDate", "RepetitionTime"] },
            { tag: "start, manual", tab: "Commands", mode: "Manual", button: "startSequenceButton",
                keys: ["SequenceMode", "StartTime", "StartDate", "RepetitionTime"] },
            { tag: "set and start by id", tab: "Commands", mode: "Automatic", button: "setAndStartButton",
                keys: ["SequenceMode", "StartTime", "StartDate", "RepetitionTime", "SequenceId"] },
            { tag: "download and start", tab: "Internal Sequence", mode: "Manual", button: "downloadAndStartSequence",
                keys: ["SequenceMode", "StartTime", "StartDate", "RepetitionTime", "SequenceId", "SequenceName",
                    "Sequence"] }
        ]
    }

    function test_startButtons(data) {
        connectTo("127.0.0.1")
        showTab("Commands")
        var commands = window.commandsTab
        choose(commands.modeChooser, data.mode)
        var auto = data.mode === "Automatic"
        if (auto) {
            typeInto(commands.startTimeInput, "103000")
            typeInto(commands.startDateInput, "01022024")
            typeInto(commands.repetitionInput, "000130")
        }
        typeInto(commands.sequenceIdInput, "S-7")
        var editor = window.sequenceEditorTab
        if (data.tab === "Internal Sequence") {
            showTab(data.tab)
            typeInto(editor.sequenceIdInput, "S-8")
            typeInto(editor.sequenceNameInput, "Morning")
            press("addSequenceRow")
            press("addSequenceRow")
        }
        press(data.button)
        var sent = requestData(0, "SetStartSequence")
        compare(Object.keys(sent).sort(), data.keys.slice().sort())
        compare(sent.SequenceMode, auto ? SemaEnum.SEQUENCE_MODE_AUTO : SemaEnum.SEQUENCE_MODE_MANUAL)
        compare(sent.StartTime, auto ? "10:30:00" : "")
        compare(sent.StartDate, auto ? "01/02/2024" : "")
        compare(sent.RepetitionTime, auto ? "00:01:30" : "")
        if (data.button === "setAndStartButton")
            compare(sent.SequenceId, "S-7")
        if (data.tab === "Internal Sequence") {
            compare(sent.SequenceId, "S-8")
            compare(sent.SequenceName, "Morning")
            compare(sent.Sequence.length, 2)
            compare(sent.Sequence[0], { "Time": 0, "Color": SemaEnum.SEMA_COLOR_OFF, "Sound": SemaEnum.SEMA_SOUND_BIP,
                        "IsFalseStartWindow": true })
        }
    }

    function test_startingListDownloadAndSelect() {
        connectTo("127.0.0.1")
        showTab("Starting List")
        var tab = window.startingListEditorTab
        typeInto(tab.startingListIdInput, "L-1")
        typeInto(tab.startingListNameInput, "Heat 1")
        press("addStartingListRow")
        press("downloadAndSelectStartingList")
        var list = requestData(0, "SetStartingList")
        compare(list, { "StartingListId": "L-1", "StartingListName": "Heat 1",
                    "StartingList": [{ "BibNumber": 0, "Time": "00:00:00" }] })
        compare(requestData(1, "SetCurrentStartingListId"), { "StartingListId": "L-1" })
    }

    function test_saveSequence() {
        showTab("Internal Sequence")
        var tab = window.sequenceEditorTab
        typeInto(tab.sequenceIdInput, "S-9")
        typeInto(tab.sequenceNameInput, "Evening")
        press("addSequenceRow")
        press("addSequenceRow")
        window.semaSequenceModel.setProperty(1, "time", -5)
        var path = testTools.scratchPath("evening.json")
        press("saveSequence")
        var accepted = false
        tryVerify(function() {
            accepted = accepted || testTools.acceptFileDialog(path)
            return accepted
        }, 5000, "no file dialog")
        // The offscreen platform warns about the dialog's window.
        testSupport.resetWarnings()
        tryVerify(function() { return testTools.readFile(path) !== "" }, 5000, "nothing written")
        var saved = JSON.parse(testTools.readFile(path))
        compare(saved.SequenceId, "S-9")
        compare(saved.SequenceName, "Evening")
        compare(saved.Sequence.length, 2)
        compare(saved.Sequence[1].Time, -5)
    }

    function test_setRepetitionTimes() {
        connectTo("127.0.0.1")
        showTab("Repetition Times")
        var tab = window.repetitionTimesTab
        typeInto(tab.time1Input, "00:01:30")
        typeInto(tab.time3Input, "00:05:00")
        typeInto(tab.indexInput, "2")
        press("sendTimesButton")
        // An empty time is left out, and so is the index.
        compare(requestData(0, "SetRepetitionTimes"), { "RepetitionTime1": "00:01:30", "RepetitionTime3": "00:05:00" })
        press("sendIndexButton")
        compare(requestData(1, "SetRepetitionTimes"), { "RepetitionTimeIndex": 2 })
        press("getRepetitionButton")
        compare(requestData(2, "GetRepetitionTimes"), {})
    }

    function test_selectNetworkSendsTheSsid() {
        connectTo("127.0.0.1")
        showTab("Network")
        click(find("trackTouch", window.networkForm))
        compare(requestData(0, "SetEnableWifi"), {})
        server.send("Sema", "GetNetworkList", [{ "NetworkList": [
            { "SSID": "Field", "BSSID": "aa:bb", "SignalLevel": -50, "Quality": "Good", "Selected": false,
                "Password": "" }] }])
        tryVerify(function() { return window.networkForm.currentSelectedItem !== null })
        typeInto(window.networkForm.passwordField, "secret")
        press("selectNetworkButton")
        compare(requestData(1, "SetNetwork"), { "SSID": "Field", "Password": "secret" })
    }

    function test_disconnectWithARequestWaitingLogsOnce() {
        connectTo("127.0.0.1")
        server.setAutoAcknowledge(false)
        press("getVersionButton")
        requestData(0, "GetVersionNumber")
        press("disconnectButton")
        tryVerify(function() { return !window.isConnected })
        wait(50)
        compare(logLines("DISCONNECTED"), 1)
        compare(logLines("Disconnecting from Orvane..."), 1)
        compare(find("bannerText").text, "DISCONNECTED")
        verify(find("connectButton").enabled)
    }

    function test_fileErrorWithoutConnectionLogsNoDisconnect() {
        window.sequenceEditorTab.loadFrom("file://" + testTools.scratchPath("missing.json"))
        verify(logText().indexOf("Error! ") >= 0)
        compare(logLines("DISCONNECTED"), 0)
        compare(logLines("CONNECTED"), 0)
        // The error is also written to the console, as expected.
        verify(testSupport.warnings.length === 1 && testSupport.warnings[0].indexOf("missing.json") > 0)
        testSupport.resetWarnings()
    }
}
