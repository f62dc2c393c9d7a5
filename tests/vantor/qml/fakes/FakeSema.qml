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
    function setCustomSequenceFromFile(fileName) { record("setCustomSequenceFromFile(" + fileName + ")"); return true }
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

    // Starting runs an automatic sequence at once and arms a manual one; stopping switches off.
    onSequenceStatusChanged: {
        record("sequenceStatus=" + sequenceStatus)
        isOff = !sequenceStatus || sequenceMode === 0
    }
    onStartTimeChanged: record("startTime=" + startTime)
    onStartDateChanged: record("startDate=" + startDate)
    onRepetitionTimeChanged: record("repetitionTime=" + repetitionTime)
    onIsShowingLedTestChanged: record("isShowingLedTest=" + isShowingLedTest)
}
