import QtQuick 2.15

// Starts, follows and stops a timing-base calibration of the GPS service (a test of it, or a run).
OscillatorCalibrationForm {
    id: root

    buttonTouch.onClicked: {
        if (timeRemaning === -1) {
            if (isExecution)
                gps.execCalibration()
            else
                gps.checkCalibration()
        } else {
            gps.stopCalibration()
        }
    }

    countdown.onTriggered: {
        if (timeRemaning > 0)
            timeRemaning = timeRemaning - 1
    }

    onPopping: {
        countdown.stop()
        gps.stopCalibration()
        utils.processEvents(500)
    }

    Connections {
        target: gps
        function onCalibMessage(message) {
            root.infoString.text = message
        }
        function onCalibDuration(duration) {
            // No duration: the calibration has ended and its last state stays shown.
            if (duration === undefined || duration === null)
                return
            // The service repeats the duration with every report of its own countdown: a repeat
            // while that calibration runs leaves the count where it is.
            if (root.timeRemaning !== -1 && duration !== -1 && duration === root.ppTimer.maxValue)
                return
            if (duration !== -1)
                root.ppTimer.maxValue = duration
            root.timeRemaning = duration
        }
    }
}
