import QtQuick 2.15
import velmora.Orvane 1.0

// Stands in for the start-light engine: the properties and operations the screens use, each
// call and property write recorded in order in `calls`.
QtObject {
    id: root

    property var calls: []
    property int lockDepth: 0

    property int sequenceMode: SemaEnum.SEQUENCE_MODE_AUTO
    property bool isOff: true
    property bool sequenceStatus: false
    property var startTime: null
    property var startDate: null
    property var repetitionTime: 3000000
    property string bibNumber: ""
    property string nextStartTime: ""
    property string startListName: ""
    property var minRepetitionTime: 1000000
    property int sequenceType: 7  // no sequence selected
    property bool recording: true
    property bool isShowingLedTest: false

    // The settings the settings screens show and write.
    property int visualizationMode: SemaEnum.VISUALIZATION_MODE_1
    property bool isShowTimeOfDay: false
    property bool isCheckFalseStart: false
    property bool isGenerateStart: false
    property bool isSkipOutOfWindow: false
    property bool isRestartWithNextMinute: false
    property int offMode: SemaEnum.SEMA_OFF_MODE_OFF
    property int delayFalseStart: 0

    // Interval tables by sequence type, each interval [time, color, sound, isFalseStartWindow];
    // a custom file that loads installs customFileTable as the custom table (type 6).
    property var intervalTables: defaultIntervalTables()
    property bool customFileLoads: true
    property var customFileTable: []

    signal semaRedChanged(bool isOn)
    signal semaGreenChanged(bool isOn)
    signal semaYellowChanged(bool isOn)
    signal semaTimeChanged(string text)
    signal timeChanged(string text)

    function record(entry) {
        if (!recording)
            return
        var list = calls.slice()
        list.push(entry)
        calls = list
    }

    // Clears the record and puts the engine back to a stopped AUTO sequence.
    function reset() {
        recording = false
        sequenceMode = SemaEnum.SEQUENCE_MODE_AUTO
        isOff = true
        sequenceStatus = false
        startTime = null
        startDate = null
        repetitionTime = 3000000
        bibNumber = ""
        nextStartTime = ""
        startListName = ""
        minRepetitionTime = 1000000
        sequenceType = 7
        lockDepth = 0
        isShowingLedTest = false
        visualizationMode = SemaEnum.VISUALIZATION_MODE_1
        isShowTimeOfDay = false
        isCheckFalseStart = false
        isGenerateStart = false
        isSkipOutOfWindow = false
        isRestartWithNextMinute = false
        offMode = SemaEnum.SEMA_OFF_MODE_OFF
        delayFalseStart = 0
        intervalTables = defaultIntervalTables()
        customFileLoads = true
        customFileTable = []
        recording = true
        calls = []
    }

    function indexOf(entry) {
        return calls.indexOf(entry)
    }

    function lock() { lockDepth += 1; record("lock") }
    function unlock() { lockDepth -= 1; record("unlock") }
    // A manual sequence is armed: it counts as running, with the lights off.
    function initSema() {
        record("initSema")
        if (sequenceMode === 0) {
            recording = false
            sequenceStatus = true
            isOff = true
            recording = true
        }
    }
    function setSequenceType(type) { sequenceType = type; record("setSequenceType(" + type + ")") }
    function setCustomSequenceFromFile(fileName) {
        record("setCustomSequenceFromFile(" + fileName + ")")
        if (customFileLoads) {
            var tables = intervalTables
            tables[SemaEnum.SEMA_SEQUENCE_CUSTOM] = customFileTable
            intervalTables = tables
        }
        return customFileLoads
    }
    function getMinRepetitionTime() { return sequenceMode === SemaEnum.SEQUENCE_MODE_AUTO ? minRepetitionTime : 0 }
    function displayRepetitionTimeIsNotValid() { record("displayRepetitionTimeIsNotValid") }
    function setSequenceStatus(value) {
        record("setSequenceStatus(" + value + ")")
        recording = false
        sequenceStatus = value
        recording = true
    }
    function setActivationTime(fromSerial) { isOff = false; record("setActivationTime(" + fromSerial + ")") }
    function changePause() { isOff = !isOff; record("changePause") }
    function loadSavedData() { record("loadSavedData") }
    function setSemaOff() { record("setSemaOff") }
    function startSequenceCyclic() { record("startSequenceCyclic") }
    function getNameFromSequenceType(type) { return type === 0 ? "ALPINE SKI" : "SEQUENCE " + type }

    // Two intervals for every built-in table but the rally's eight; no custom table.
    function defaultIntervalTables() {
        var rally = []
        for (var i = 0; i < 8; ++i)
            rally.push([-70 + 10 * i, 1 + i % 3, i % 5, i >= 6])
        return { "0": [[-10, 1, 1, false], [0, 3, 3, true]], "1": [[-5, 2, 1, false], [0, 3, 3, true]], "2": rally,
                 "3": [[-3, 1, 1, false], [0, 3, 4, true]], "4": [[0, 3, 3, true], [5, 0, 0, false]],
                 "5": [[-10, 2, 1, false], [0, 3, 3, true]], "6": [] }
    }
    function intervalField(sequence, field) {
        var table = intervalTables["" + sequence]
        return table === undefined ? [] : table.map(function(interval) { return interval[field] })
    }
    function getListIntervalTime(sequence) { return intervalField(sequence, 0) }
    function getListIntervalColor(sequence) { return intervalField(sequence, 1) }
    function getListIntervalSound(sequence) { return intervalField(sequence, 2) }
    function getListIntervalIsFalseStartWindow(sequence) { return intervalField(sequence, 3) }
    function getStringColor(color) { return ["Off", "Red", "Yellow", "Green", "Pixel", "Yellow Pixel"][color] }
    function getStringSound(sound) { return ["Silent", "Bip", "Boop", "Long Bip", "Long Boop"][sound] }

    // Starting runs an automatic sequence at once and arms a manual one; stopping switches off.
    onSequenceStatusChanged: {
        record("sequenceStatus=" + sequenceStatus)
        isOff = !sequenceStatus || sequenceMode === 0
    }
    onStartTimeChanged: record("startTime=" + startTime)
    onStartDateChanged: record("startDate=" + startDate)
    onRepetitionTimeChanged: record("repetitionTime=" + repetitionTime)
    onIsShowingLedTestChanged: record("isShowingLedTest=" + isShowingLedTest)

    // Starting lists: the message of a refused list (none: every list is taken) and the screen
    // form of each file by path (unknown files give an empty map).
    property string errorMessage: ""
    property string startingListRefusal: ""
    property var startingLists: ({})

    function setStartingListFromFile(fileName) {
        record("setStartingListFromFile(" + fileName + ")")
        errorMessage = startingListRefusal
        return startingListRefusal === ""
    }
    function loadStartingList(fileName) {
        record("loadStartingList(" + fileName + ")")
        return startingLists[fileName] || {}
    }
}
