import QtQuick 2.15
import velmora.Orvane 1.0

// The synchronisation screen: the operator enters the time of day and the date of the next start
// impulse, and the clock takes them at the instant the impulse is captured.
SynchroForm {
    id: root

    // A capture has set the clock; the screen takes no second one before it closes.
    property bool isDone: false

    // Run on every page change and when the screen opens.
    function pageStep() {
        lblInfo.color = isBrightVersion ? "#363636" : "white"
        // Armed exactly while the START page is shown, and never again after a capture.
        application.isCheckSynchro = page === 2 && !isDone
    }

    function nextMinute() {
        return Math.floor((dateTimeUtil.getDateTime() + DateTimeUtil.QMIN1) / DateTimeUtil.QMIN1) * DateTimeUtil.QMIN1
    }

    function capture(ticks) {
        if (isDone)
            return
        if (sema)
            sema.setSemaOff()
        // The entered date is checked here because the date control lets any day reach 31.
        var valid = dateTimeUtil.isDateValid(setDate.day, setDate.month, setDate.year)
                && dateTimeUtil.setDateTime(ticks, setTime.time, setDate.year, setDate.month, setDate.day)
        if (valid) {
            isDone = true
            application.isSynchronized = true
            lblInfo.text = Qt.binding(function() { return qsTr("SYNCHRONIZATION\nDONE!") + application.languageChanged })
            lblInfo.color = colorOkText
            btnStart.enabled = false
        } else {
            lblInfo.text = Qt.binding(function() { return qsTr("ERROR TO\nSYNCHRONIZE!") + application.languageChanged })
            lblInfo.color = colorErrorText
        }
        tmrShow.start()
        if (sema)
            sema.startSequenceCyclic()
    }

    formSubTitle: {
        switch (page) {
        case 0:
            return "1/3 " + qsTr("TIME") + application.languageChanged
        case 1:
            return "2/3 " + qsTr("DATE") + application.languageChanged
        default:
            return "3/3"
        }
    }

    onPageChanged: pageStep()

    onPopping: {
        tmrShow.stop()
        application.isInSynchroMenu = false
        application.isCheckSynchro = false
    }

    Component.onCompleted: {
        application.isInSynchroMenu = true
        var next = nextMinute()
        setTime.time = dateTimeUtil.getOnlyTime(next)
        setDate.year = dateTimeUtil.getYear(next)
        setDate.month = dateTimeUtil.getMonth(next)
        setDate.day = dateTimeUtil.getDay(next)
        pageStep()
    }

    tmrShow.onTriggered: {
        // Only this screen closes itself: a screen opened over it meanwhile stays.
        if (stack.currentItem === root)
            mainForm.menuPressed()
    }

    leftTouch.onClicked: {
        if (page === 0)
            mainForm.menuPressed()
        else
            page = page - 1
    }

    rightTouch.onClicked: {
        if (page < maxPage)
            page = page + 1
        else
            mainForm.menuPressed()
    }

    btnStartTouch.onPressed: eventGenerator.generateEvent(EventGenerator.EVT_GEN_TYPE_START_KEY, true)
    btnStartTouch.onReleased: eventGenerator.generateEvent(EventGenerator.EVT_GEN_TYPE_START_KEY, false)
    // A press that slides off the button still opens the key again.
    btnStartTouch.onCanceled: eventGenerator.generateEvent(EventGenerator.EVT_GEN_TYPE_START_KEY, false)

    Connections {
        target: application
        function onSynchroEvent(physicalChannel, ticks) {
            root.capture(ticks)
        }
    }
}
