import QtQuick 2.15

// The single LED test: each button stops the continuous test and lights one pattern on the board;
// "Single Driver" lights the sixteen driver groups one press at a time.
LedSingleTestForm {
    id: root

    // The driver group the next "Single Driver" press lights.
    property int driverIndex: 0

    btnRed.onClicked: {
        sema.isShowingLedTest = false
        displayboard.fillRed()
        driverIndex = 0
    }

    btnGreen.onClicked: {
        sema.isShowingLedTest = false
        displayboard.fillGreen()
        driverIndex = 0
    }

    btnBlue.onClicked: {
        sema.isShowingLedTest = false
        displayboard.fillBlue()
        driverIndex = 0
    }

    btnSingleDriver.onClicked: {
        sema.isShowingLedTest = false
        displayboard.fillSingleDrivers(driverIndex)
        driverIndex = (driverIndex + 1) % 16
    }

    btnReset.onClicked: {
        sema.isShowingLedTest = false
        displayboard.reset()
        driverIndex = 0
    }
}
