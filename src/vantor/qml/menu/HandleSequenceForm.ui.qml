import QtQuick 2.15
import velmora.Orvane 1.0
import "qrc:/customcontrols"

// Layout of the run screen: the start-time and repetition editors, the running view with the
// time of day, the countdown and the lamp mirror, and the starting-list choice.
MenuPage {
    id: root
    objectName: "formHandleSequence"

    property int page: 0
    readonly property bool isManual: sema.sequenceMode === SemaEnum.SEQUENCE_MODE_MANUAL
    readonly property bool isAutoStart: sema.sequenceMode === SemaEnum.SEQUENCE_MODE_AUTOSTART
    readonly property bool isAuto: sema.sequenceMode === SemaEnum.SEQUENCE_MODE_AUTO
    readonly property color labelColor: isBrightVersion ? "#363636" : "#e9dd2f"
    readonly property string repetitionLabel: qsTr("REPETITION") + " (" + (application.repetitionTimeIndex + 1) + ")"
                                              + application.languageChanged

    property alias semaYellow: semaYellow
    property alias semaGreen: semaGreen
    property alias semaRed: semaRed
    property alias txtSemaTime: txtSemaTime
    property alias timeOfDay: timeOfDay
    property alias setTime: setTime
    property alias setRepetition: setRepetition
    property alias leftIcon: leftIcon
    property alias leftTouch: leftTouch
    property alias rightIcon: rightIcon
    property alias rightTouch: rightTouch
    property alias settingsTouch: settingsTouch
    property alias editRepetitionTouch: editRepetitionTouch
    property alias previousRepetitionTouch: previousRepetitionTouch
    property alias nextRepetitionTouch: nextRepetitionTouch
    property alias customButton: customButton
    property alias usbButton: usbButton

    backIconVisible: false
    showSwipeView: false
    showBottomRect: false
    titleSideMargin: marginLeftForm + backIconWidth + 2

    Image {
        id: leftIcon
        objectName: "leftIcon"
        parent: topRect
        x: marginLeftForm
        width: backIconWidth
        height: backIconWidth
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
        source: root.page === 1 || root.page === 3 ? getImage("arrowLeft") : getImage("close")

        MouseArea {
            id: leftTouch
            objectName: "leftTouch"
            anchors.fill: parent
            anchors.margins: marginTouchMouseArea
        }
    }

    Image {
        id: rightIcon
        objectName: "rightIcon"
        parent: topRect
        anchors.right: parent.right
        anchors.rightMargin: marginRightForm
        width: backIconWidth
        height: backIconWidth
        visible: root.page !== 3 && root.page !== 5
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
        source: root.page === 2 ? (sema.isOff ? getImage("ok") : getImage("pause")) : getImage("arrowRight")

        MouseArea {
            id: rightTouch
            objectName: "rightTouch"
            anchors.fill: parent
            anchors.margins: marginTouchMouseArea
        }
    }

    Item {
        objectName: "timePage"
        anchors.fill: parent
        visible: root.page === 0

        SetTime {
            id: setTime
            objectName: "setTime"
            anchors.centerIn: parent
            isShowHours: true
        }
    }

    Item {
        objectName: "repetitionPage"
        anchors.fill: parent
        visible: root.page === 1 || root.page === 3

        SetTime {
            id: setRepetition
            objectName: "setRepetition"
            anchors.centerIn: parent
            isShowHours: false
        }

        Image {
            objectName: "previousRepetition"
            anchors.right: setRepetition.left
            anchors.rightMargin: 20
            anchors.verticalCenter: parent.verticalCenter
            width: 36
            height: 36
            source: getImage("arrowLeft")
            fillMode: Image.PreserveAspectFit

            MouseArea {
                id: previousRepetitionTouch
                objectName: "previousRepetitionTouch"
                anchors.fill: parent
                anchors.margins: marginTouchMouseArea
            }
        }

        Image {
            objectName: "nextRepetition"
            anchors.left: setRepetition.right
            anchors.leftMargin: 20
            anchors.verticalCenter: parent.verticalCenter
            width: 36
            height: 36
            source: getImage("arrowRight")
            fillMode: Image.PreserveAspectFit

            MouseArea {
                id: nextRepetitionTouch
                objectName: "nextRepetitionTouch"
                anchors.fill: parent
                anchors.margins: marginTouchMouseArea
            }
        }
    }

    Item {
        objectName: "runningPage"
        anchors.fill: parent
        anchors.leftMargin: marginLeftForm
        anchors.rightMargin: marginRightForm
        visible: root.page === 2

        Text {
            objectName: "timeLabel"
            y: 10
            text: qsTr("TIME") + application.languageChanged
            color: root.labelColor
            font.pixelSize: 15
        }

        Text {
            id: timeOfDay
            objectName: "timeOfDay"
            y: 24
            font.family: "Droid Sans Numbers"
            font.pixelSize: 40
            font.bold: true
            color: colorText
        }

        Image {
            objectName: "settingsIcon"
            anchors.right: parent.right
            y: 16
            width: 48
            height: 48
            source: getImage("settings")
            fillMode: Image.PreserveAspectFit
            smooth: true
            mipmap: true

            MouseArea {
                id: settingsTouch
                objectName: "settingsTouch"
                anchors.fill: parent
                anchors.margins: marginTouchMouseArea
            }
        }

        Text {
            objectName: "followingLabel"
            visible: !root.isManual
            y: 77
            text: root.isAutoStart ? qsTr("NEXT START") + (sema.bibNumber ? " (" + sema.bibNumber + ")" : "")
                                     + application.languageChanged
                                   : root.repetitionLabel
            color: root.labelColor
            font.pixelSize: 15
        }

        Text {
            id: followingValue
            objectName: "followingValue"
            visible: !root.isManual
            y: 94
            anchors.right: editRepetition.left
            anchors.rightMargin: 5
            height: 36
            verticalAlignment: Text.AlignVCenter
            text: root.isAutoStart ? sema.nextStartTime
                                   : (sema.repetitionTime === null || sema.repetitionTime === undefined
                                      ? "" : dateTimeUtil.displayTime(sema.repetitionTime, 773).trim())
            font.family: "Droid Sans Numbers"
            font.pixelSize: 28
            font.bold: true
            color: colorText
        }

        Image {
            id: editRepetition
            objectName: "editRepetition"
            visible: !root.isManual && !root.isAutoStart
            anchors.right: parent.right
            y: 94
            width: visible ? 36 : 0
            height: 36
            source: getImage("arrowRight")
            fillMode: Image.PreserveAspectFit

            MouseArea {
                id: editRepetitionTouch
                objectName: "editRepetitionTouch"
                anchors.fill: parent
                anchors.margins: marginTouchMouseArea
            }
        }

        Item {
            id: lamps
            objectName: "lamps"
            width: 22
            height: 22
            x: root.isManual ? (parent.width - width) / 2 : followingValue.x - width - 10
            y: root.isManual ? 94 + (36 - height) / 2 : followingValue.y + (followingValue.height - height) / 2

            Lamp {
                id: semaYellow
                objectName: "semaYellow"
                color: colorYellow
            }

            Lamp {
                id: semaGreen
                objectName: "semaGreen"
                color: colorGreen
            }

            Lamp {
                id: semaRed
                objectName: "semaRed"
                color: colorRed
            }
        }

        Text {
            id: txtSemaTime
            objectName: "txtSemaTime"
            visible: !sema.isOff
            anchors.left: parent.left
            anchors.right: lamps.left
            anchors.rightMargin: 10
            anchors.verticalCenter: lamps.verticalCenter
            height: 36
            horizontalAlignment: Text.AlignRight
            verticalAlignment: Text.AlignVCenter
            font.family: "Droid Sans Numbers"
            font.pixelSize: 28
            font.bold: true
            fontSizeMode: Text.Fit
            minimumPixelSize: 12
            color: colorText
        }
    }

    Item {
        objectName: "listPage"
        anchors.fill: parent
        visible: root.page === 4

        Row {
            id: listButtons
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 12

            IconButton {
                id: customButton
                objectName: "customButton"
                width: 90
                height: 132
                isVertical: true
                icon: getImage("custom")
                text: qsTr("CUSTOM") + application.languageChanged
                pixelSize: buttonPixelSizeHorizontal
            }

            IconButton {
                id: usbButton
                objectName: "usbButton"
                width: 90
                height: 132
                isVertical: true
                icon: getImage("usb")
                text: "USB"
                pixelSize: buttonPixelSizeHorizontal
            }
        }

        Text {
            objectName: "currentList"
            anchors.top: listButtons.bottom
            anchors.horizontalCenter: parent.horizontalCenter
            width: parent.width - marginLeftForm - marginRightForm
            visible: sema.startListName !== ""
            text: qsTr("Current list") + ": " + sema.startListName + application.languageChanged
            color: colorText
            font.pixelSize: 24
            font.bold: true
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 12
            horizontalAlignment: Text.AlignHCenter
        }
    }

    Item {
        objectName: "downloadPage"
        anchors.fill: parent
        visible: root.page === 5

        Text {
            anchors.fill: parent
            text: qsTr("PLEASE DOWNLOAD\nSTART LIST") + application.languageChanged
            color: colorText
            font.pixelSize: 24
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
    }
}
