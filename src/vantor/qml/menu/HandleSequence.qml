import QtQuick 2.15
import velmora.Orvane 1.0

// The run screen: prepares the sequence when it opens, starts, pauses and resumes it, follows
// the engine while it runs, and stops it when the screen is left.
HandleSequenceForm {
    id: root

    // Marks the run screen on the stack; openers overwrite its objectName.
    readonly property bool isRunScreen: true
    readonly property bool openedFromMenu: formParam === undefined || formParam === null || formParam === ""
    // The custom sequence file it was opened for cannot be read: nothing may run, the screen closes.
    property bool unreadableFile: false

    function initialPage() {
        if (!openedFromMenu)
            return parseInt(formParam)
        if (isManual)
            return 2
        if (isAutoStart)
            return 4
        return 0
    }

    function nextWholeMinute() {
        return (1 + Math.floor(dateTimeUtil.getTime() / DateTimeUtil.QMIN1)) * DateTimeUtil.QMIN1
    }

    function repetitionBelowMinimum() {
        return isAuto && setRepetition.minTime !== undefined && setRepetition.time < setRepetition.minTime
    }

    function open() {
        sema.lock()
        try {
            sema.initSema()
            if (openedFromMenu) {
                if (/^[0-9]+$/.test(objectName)) {
                    sema.setSequenceType(parseInt(objectName))
                } else {
                    if (!sema.setCustomSequenceFromFile(objectName)) {
                        // Never run the custom table loaded before under this file's name.
                        unreadableFile = true
                        return
                    }
                    sema.setSequenceType(SemaEnum.SEMA_SEQUENCE_CUSTOM)
                }
                if (isAuto) {
                    sema.repetitionTime = application.getRepetitionTime()
                    var start = nextWholeMinute()
                    sema.startTime = start
                    setTime.time = start
                    if (sema.repetitionTime < sema.getMinRepetitionTime())
                        application.repetitionTimeIndex = application.repetitionTimeIndex + 1
                }
                displayboard.reset()
            } else {
                setTime.time = sema.startTime
                displayboard.reset(false)
            }
            setRepetition.time = sema.repetitionTime
            setRepetition.minTime = sema.getMinRepetitionTime()
            application.isInTimingMenu = true
        } finally {
            sema.unlock()
        }
    }

    function leave() {
        sema.lock()
        try {
            sema.sequenceStatus = false
            displayboard.reset()
            application.isInTimingMenu = false
        } finally {
            sema.unlock()
        }
        sema.loadSavedData()
    }

    function startWhenShown() {
        if (page === 2 && openedFromMenu && !unreadableFile && !sema.sequenceStatus)
            sema.sequenceStatus = true
    }

    function stepRepetition(step) {
        application.repetitionTimeIndex = application.repetitionTimeIndex + step
        if (isAuto && sema.repetitionTime < sema.getMinRepetitionTime())
            sema.displayRepetitionTimeIsNotValid()
        else
            setRepetition.time = sema.repetitionTime
    }

    function confirmRepetition() {
        if (repetitionBelowMinimum()) {
            sema.displayRepetitionTimeIsNotValid()
            return
        }
        sema.repetitionTime = setRepetition.time
        page = 2
    }

    formSubTitle: {
        switch (page) {
        case 0:
            return "1/2 " + qsTr("TIME") + application.languageChanged
        case 1:
            return "2/2 " + qsTr("REPETITION") + " (" + (application.repetitionTimeIndex + 1) + ")"
                    + application.languageChanged
        case 2:
            return (sema.isOff ? qsTr("PAUSE") : qsTr("RUNNING")) + application.languageChanged
        case 3:
            return qsTr("EDIT REPETITION") + " (" + (application.repetitionTimeIndex + 1) + ")"
                    + application.languageChanged
        case 4:
            return qsTr("GET LIST FROM") + application.languageChanged
        default:
            return ""
        }
    }

    onPageChanged: startWhenShown()
    onPopping: leave()

    Component.onCompleted: {
        open()
        if (unreadableFile) {
            utils.showInfoMessage(qsTr("The sequence file cannot be read") + application.languageChanged, 3000,
                                  colorRed)
            Qt.callLater(mainForm.menuPressed)
            return
        }
        page = initialPage()
        startWhenShown()
    }

    setRepetition.onValueChanged: sema.repetitionTime = value

    previousRepetitionTouch.onClicked: stepRepetition(-1)
    nextRepetitionTouch.onClicked: stepRepetition(1)
    editRepetitionTouch.onClicked: page = 3

    leftTouch.onClicked: {
        if (page === 1) {
            page = 0
        } else if (page === 2 && isAutoStart) {
            page = 4
        } else if (page === 3) {
            if (repetitionBelowMinimum())
                sema.displayRepetitionTimeIsNotValid()
            else
                page = 2
        } else if (page === 5) {
            page = 4
        } else {
            mainForm.menuPressed()
        }
    }

    rightTouch.onClicked: {
        if (page === 0) {
            sema.startTime = setTime.time
            sema.startDate = dateTimeUtil.getDate()
            page = 1
        } else if (page === 1 || page === 3) {
            confirmRepetition()
        } else if (page === 4) {
            page = 2
        } else if (page === 2) {
            txtSemaTime.text = ""
            if (isManual && sema.isOff) {
                sema.setSequenceStatus(true)
                sema.setActivationTime(false)
            } else {
                sema.changePause()
            }
        }
    }

    settingsTouch.onClicked: mainForm.openScreen("qrc:/menu/Settings.qml", {
        "objectName": "settingsForm", "formTitle": qsTr("Settings"), "formMenuTitle": qsTr("Settings"),
        "formParam": "RACE" })

    customButton.onPressed: mainForm.openScreen("qrc:/menu/ImportStartingList.qml", {
        "objectName": "ImportStartingListForm", "formTitle": qsTr("CUSTOM"), "formMenuTitle": qsTr("CUSTOM"),
        "formParam": "custom" })

    usbButton.onPressed: mainForm.openScreen("qrc:/menu/ImportStartingList.qml", {
        "objectName": "ImportStartingListForm", "formTitle": "USB", "formMenuTitle": "USB", "formParam": "USB" })

    Connections {
        target: sema
        function onTimeChanged(text) {
            timeOfDay.text = text.trim()
        }
        function onSemaTimeChanged(text) {
            txtSemaTime.text = text.trim()
        }
        function onSemaYellowChanged(isOn) {
            semaYellow.isOn = isOn
        }
        function onSemaGreenChanged(isOn) {
            semaGreen.isOn = isOn
        }
        function onSemaRedChanged(isOn) {
            semaRed.isOn = isOn
        }
    }
}
